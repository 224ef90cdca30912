"""The pieces the browser tests share: the simulated radio with the program
serving it on the web, and a headless Chromium driven by Selenium."""
import os
import re
import shutil
import socket
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

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

    def __init__(self, rcp720, sim_tool, sim_args=(), program_args=(), env=None):
        self.dir = tempfile.mkdtemp(prefix="rcp720-web-")
        self.log_path = os.path.join(self.dir, "sim.log")
        done = subprocess.run([rcp720, "--set-web-password"], input=(PASSWORD + "\n") * 2, text=True,
                              cwd=self.dir, capture_output=True, timeout=60)
        assert done.returncode == 0, done.stderr
        link = os.path.join(self.dir, "radio")
        self.sim = subprocess.Popen([sim_tool, "--link", link, "--log", self.log_path, "--boot", "50", *sim_args],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, env=env)
        self.sim.stdout.readline()  # the pseudo-terminal's name: it is ready
        self.port = free_port()
        self.url = "http://127.0.0.1:%d/" % self.port
        self.program = subprocess.Popen(
            [rcp720, "--headless", "--device", link, "--web", "127.0.0.1:%d" % self.port, "--rig-server", "off",
             *program_args],
            cwd=self.dir, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, env=env)
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


def browser(chromium, driver_path, width=1100, height=900, extra_flags=(), env=None):
    o = webdriver.ChromeOptions()
    o.binary_location = chromium
    profile = tempfile.mkdtemp(prefix="rcp720-chromium-")
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height), *extra_flags):
        o.add_argument(flag)
    d = webdriver.Chrome(service=Service(driver_path, env=env), options=o)
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
