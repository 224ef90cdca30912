#!/usr/bin/python3
"""The remote station in a real browser: headless Chromium driven by Selenium
against the program (headless) on a simulated radio. Started and ended here.

usage: web_station_test.py RCP720 QX720_SIM
Exits 77 (skipped) when Chromium, its driver or Selenium is missing.
"""
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("selenium is not installed; skipped")
    sys.exit(77)

PASSWORD = "correct horse battery"
WAIT = 20  # generous: CI machines are shared


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def find(name, *candidates):
    for c in (shutil.which(name),) + candidates:
        if c and os.path.exists(c):
            return c
    return None


class Station:
    """The simulated radio and the program serving it on the web."""

    def __init__(self, rcp720, sim_tool, sim_args=()):
        self.dir = tempfile.mkdtemp(prefix="rcp720-web-")
        self.log_path = os.path.join(self.dir, "sim.log")
        done = subprocess.run([rcp720, "--set-web-password"], input=(PASSWORD + "\n") * 2, text=True,
                              cwd=self.dir, capture_output=True, timeout=60)
        assert done.returncode == 0, done.stderr
        link = os.path.join(self.dir, "radio")
        self.sim = subprocess.Popen([sim_tool, "--link", link, "--log", self.log_path, "--boot", "50", *sim_args],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.sim.stdout.readline()  # the pseudo-terminal's name: it is ready
        self.port = free_port()
        self.url = "http://127.0.0.1:%d/" % self.port
        self.program = subprocess.Popen(
            [rcp720, "--headless", "--device", link, "--web", "127.0.0.1:%d" % self.port, "--rig-server", "off"],
            cwd=self.dir, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.errors = []
        listening = threading.Event()

        def read_errors():
            for line in self.program.stderr:
                self.errors.append(line)
                if "web server listens" in line:
                    listening.set()
        threading.Thread(target=read_errors, daemon=True).start()
        assert listening.wait(WAIT), "the web server did not start: " + "".join(self.errors)

    def sim_command(self, line):
        self.sim.stdin.write(line + "\n")
        self.sim.stdin.flush()
        return self.sim.stdout.readline().strip()

    def received(self):
        """The commands the radio received, in order."""
        try:
            with open(self.log_path) as f:
                return [m.group(1) for m in re.finditer(r"\bRX\s+(\S+)", f.read())]
        except FileNotFoundError:
            return []

    def wait_received(self, pattern, after=0, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            got = self.received()
            for i, c in enumerate(got[after:], after):
                if re.fullmatch(pattern, c):
                    return i + 1
            time.sleep(0.02)
        raise AssertionError("the radio never received %s (last: %s)" % (pattern, self.received()[-8:]))

    def close(self):
        for p in (self.program, self.sim):
            try:
                p.stdin.close()
            except OSError:
                pass
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(self.dir, ignore_errors=True)


def browser(chromium, driver_path, width=1100, height=900):
    o = webdriver.ChromeOptions()
    o.binary_location = chromium
    profile = tempfile.mkdtemp(prefix="rcp720-chromium-")
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height)):
        o.add_argument(flag)
    d = webdriver.Chrome(service=Service(driver_path), options=o)
    d.profile_dir = profile
    return d


def until(driver, what, timeout=WAIT):
    return WebDriverWait(driver, timeout, poll_frequency=0.02).until(lambda d: what(d))


def log_in(d, url, password):
    d.get(url)
    field = until(d, lambda d: d.find_element(By.ID, "login-password") if d.find_element(By.ID, "login-password").is_displayed() else None)
    field.clear()
    field.send_keys(password)
    d.find_element(By.ID, "login-submit").click()


def freq_text(d):
    return d.find_element(By.ID, "freq").text


def main():
    rcp720, sim_tool = sys.argv[1], sys.argv[2]
    chromium = find("chromium", "/usr/bin/chromium")
    driver_path = find("chromedriver", "/usr/bin/chromedriver")
    if not chromium or not driver_path:
        print("chromium or chromedriver is not installed; skipped")
        return 77
    station = Station(rcp720, sim_tool)
    browsers = []
    try:
        first = browser(chromium, driver_path)
        browsers.append(first)

        # A wrong password is refused and the station stays hidden.
        log_in(first, station.url, "not the password")
        until(first, lambda d: d.find_element(By.ID, "login-error").text)
        assert not first.find_element(By.ID, "station").is_displayed()

        log_in(first, station.url, PASSWORD)
        until(first, lambda d: d.find_element(By.ID, "station").is_displayed())
        until(first, lambda d: d.find_element(By.ID, "link-state").text == "linked")
        until(first, lambda d: "You have control" in d.find_element(By.ID, "control-state").text)
        until(first, lambda d: re.fullmatch(r"\d{1,2}\.\d{3}\.\d{3}", freq_text(d)))

        # A dial turn on the radio shows on the page.
        before = freq_text(first)
        station.sim_command("dial 25")
        until(first, lambda d: freq_text(d) != before)
        status = station.sim_command("status")
        hz = re.search(r"VFO A: A (\d+) Hz", status)
        assert hz, status
        until(first, lambda d: freq_text(d).replace(".", "") == hz.group(1))

        # A typed frequency reaches the radio.
        mark = len(station.received())
        entry = first.find_element(By.ID, "freq-entry")
        entry.send_keys("14.2345" + Keys.ENTER)
        station.wait_received(r"F[AB]0*14234500;", mark)
        until(first, lambda d: freq_text(d) == "14.234.500")

        # Band and mode keys.
        mark = len(station.received())
        first.find_element(By.CSS_SELECTOR, "[data-band='6']").click()
        station.wait_received(r"BS07;", mark)
        mark = len(station.received())
        first.find_element(By.CSS_SELECTOR, "[data-mode='3']").click()
        station.wait_received(r"MD0?3;", mark)
        until(first, lambda d: d.find_element(By.ID, "mode").text == "CW")

        # PTT is held while the key is held down, and released with it.
        ptt = first.find_element(By.ID, "ptt")
        mark = len(station.received())
        ActionChains(first).click_and_hold(ptt).perform()
        mark = station.wait_received(r"TX1;", mark)
        until(first, lambda d: d.find_element(By.ID, "tx-lamp").text == "TX")
        ActionChains(first).release(ptt).perform()
        station.wait_received(r"TX0;", mark)

        # A second browser sees the radio but may not operate it.
        second = browser(chromium, driver_path, 390, 844)
        browsers.append(second)
        log_in(second, station.url, PASSWORD)
        until(second, lambda d: d.find_element(By.ID, "station").is_displayed())
        until(second, lambda d: "Control:" in d.find_element(By.ID, "control-state").text)
        assert "viewer" in second.find_element(By.TAG_NAME, "body").get_attribute("class")
        until(second, lambda d: re.fullmatch(r"\d{1,2}\.\d{3}\.\d{3}", freq_text(d)))
        until(second, lambda d: freq_text(d) == freq_text(first))

        # The controlling tab goes away while keyed: the transmitter is released.
        mark = len(station.received())
        ActionChains(first).click_and_hold(first.find_element(By.ID, "ptt")).perform()
        mark = station.wait_received(r"TX1;", mark)
        browsers.remove(first)
        first.quit()
        closed = time.monotonic()
        station.wait_received(r"TX0;", mark, timeout=WAIT)
        took = time.monotonic() - closed
        assert took <= 1.5, "TX0 came %.2f s after the tab closed" % took
        # The viewer is told the radio went back to receive.
        until(second, lambda d: d.find_element(By.ID, "tx-lamp").text == "RX")
        print("browser tests passed")
        return 0
    finally:
        for b in browsers:
            try:
                b.quit()
            except Exception:
                pass
            shutil.rmtree(getattr(b, "profile_dir", ""), ignore_errors=True)
        station.close()


if __name__ == "__main__":
    sys.exit(main())
