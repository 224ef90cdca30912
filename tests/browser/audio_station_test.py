#!/usr/bin/python3
"""The remote audio end to end: a PulseAudio server of our own with null
sinks as the radio's sound card, the simulated radio playing its receive tone
into one and recording the other while it transmits, the program between
them and the web, and a headless Chromium whose fake microphone plays a tone
file made here.

usage: audio_station_test.py RCP720 QX720_SIM
Exits 77 (skipped) when PulseAudio, Chromium, its driver or Selenium is missing.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import wave

try:
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from station import PASSWORD, WAIT, Station, browser, find, log_in, until
except ImportError:
    print("selenium is not installed; skipped")
    sys.exit(77)

RATE = 48000
STATION_HZ = 14201234  # heard at 1234 Hz with the dial on 14.200.000
RX_PITCH = 1234
MIC_PITCH = 700


def write_tone(path, hz, seconds):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * hz * i / RATE)))
                               for i in range(int(RATE * seconds))))


def samples_of(raw):
    return struct.unpack("<%dh" % (len(raw) // 2), raw[: len(raw) // 2 * 2])


def pitch(samples):
    """The pitch of a steady tone from the median time between its rising zero
    crossings (with some hysteresis), so that gaps do not bend it; 0 when quiet."""
    if not samples or max(abs(s) for s in samples) < 500:
        return 0
    crossings, last = [], None
    for i, s in enumerate(samples):
        side = 1 if s > 200 else -1 if s < -200 else None
        if side is not None and last is not None and side != last and side > 0:
            crossings.append(i)
        if side is not None:
            last = side
    if len(crossings) < 20:
        return 0
    periods = [b - a for a, b in zip(crossings, crossings[1:])]
    median = sorted(periods)[len(periods) // 2]
    whole = [p for p in periods if 0.9 * median <= p <= 1.1 * median]
    return RATE * len(whole) / sum(whole)


class SoundServer:
    """PulseAudio with its socket in a directory of its own; null sinks as devices."""

    def __init__(self, directory):
        self.dir = directory
        socket_path = os.path.join(directory, "native")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=directory, HOME=directory,
                        PULSE_SERVER="unix:" + socket_path, PULSE_SINK="browser_out")
        sinks = ["--load=module-null-sink sink_name=%s rate=%d channels=1" % (n, RATE)
                 for n in ("browser_out", "radio_rx", "radio_tx")]
        # What is played into a null sink comes out of its monitor; Qt lists
        # no monitors, so each gets a source of its own, as a sound card's line in.
        sinks += ["--load=module-remap-source master=%s.monitor source_name=%s_in rate=%d channels=1" % (n, n, RATE)
                  for n in ("radio_rx", "radio_tx")]
        self.proc = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
             "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_path, *sinks],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline:
            done = subprocess.run(["pactl", "list", "short", "sinks"], env=self.env, capture_output=True, text=True)
            if done.returncode == 0 and "radio_tx" in done.stdout and "radio_tx_in" in subprocess.run(
                    ["pactl", "list", "short", "sources"], env=self.env, capture_output=True, text=True).stdout:
                return
            time.sleep(0.1)
        self.close()
        raise AssertionError("PulseAudio did not start")

    def record(self, source, seconds):
        p = subprocess.Popen(["parec", "-d", source, "--rate=%d" % RATE, "--channels=1", "--format=s16le", "--raw"],
                             env=self.env, stdout=subprocess.PIPE)
        time.sleep(seconds)  # a recording of a given length, not a wait for a thread
        p.terminate()
        return p.communicate(timeout=WAIT)[0]

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def recorded(path):
    try:
        with wave.open(path, "rb") as w:
            return w.readframes(w.getnframes())
    except (FileNotFoundError, EOFError, wave.Error):
        return b""


def main():
    rcp720, sim_tool = sys.argv[1], sys.argv[2]
    chromium = find("chromium", "/usr/bin/chromium")
    driver_path = find("chromedriver", "/usr/bin/chromedriver")
    if not chromium or not driver_path or not find("pulseaudio") or not find("pactl") or not find("parec"):
        print("chromium, chromedriver or pulseaudio (with its utilities) is not installed; skipped")
        return 77
    work = tempfile.mkdtemp(prefix="rcp720-audio-")
    tone = os.path.join(work, "tone.wav")
    write_tone(tone, MIC_PITCH, 5)
    recording = os.path.join(work, "transmitted.wav")
    sound = SoundServer(work)
    station = None
    page = None
    try:
        station = Station(rcp720, sim_tool,
                          sim_args=["--audio-out", "radio_rx", "--audio-in", "radio_tx_in",
                                    "--record", recording, "--audio-station", str(STATION_HZ)],
                          program_args=["--audio-in", "radio_rx_in", "--audio-out", "radio_tx"],
                          env=sound.env)
        page = browser(chromium, driver_path, env=sound.env, extra_flags=(
            "--use-fake-ui-for-media-stream", "--use-fake-device-for-media-stream",
            "--use-file-for-fake-audio-capture=" + tone, "--autoplay-policy=no-user-gesture-required"))
        log_in(page, station.url, PASSWORD)
        until(page, lambda d: d.find_element(By.ID, "link-state").text == "linked")
        until(page, lambda d: "You have control" in d.find_element(By.ID, "control-state").text)
        page.find_element(By.ID, "freq-entry").send_keys("14.2" + Keys.ENTER)
        until(page, lambda d: d.find_element(By.ID, "freq").text == "14.200.000")

        # The radio's receive tone is heard in the page.
        page.find_element(By.ID, "audio-on").click()
        heard = []

        def hears_tone(d):
            heard.append(d.execute_script("return window.rcpAudio.peakHz()"))
            return abs(heard[-1] - RX_PITCH) < 5
        try:
            until(page, hears_tone, timeout=40)
        except Exception:
            raise AssertionError("the page never heard %d Hz (last: %s; %s; %s)" % (
                RX_PITCH, heard[-5:], page.find_element(By.ID, "audio-note").text, "".join(station.errors)))
        until(page, lambda d: "Receive delay" in d.find_element(By.ID, "audio-delay").text)

        # Tuning moves the pitch: the page follows.
        page.find_element(By.ID, "freq-entry").send_keys("14.2005" + Keys.ENTER)
        until(page, lambda d: abs(d.execute_script("return window.rcpAudio.peakHz()") - (RX_PITCH - 500)) < 5,
              timeout=40)

        # The 16 kHz PCM offered to browsers without Opus carries the same audio
        # (the page asks for it; the server then sends it PCM only).
        page.execute_script("document.getElementById('audio-pcm').click()")
        page.find_element(By.ID, "freq-entry").send_keys("14.201" + Keys.ENTER)
        until(page, lambda d: abs(d.execute_script("return window.rcpAudio.peakHz()") - (RX_PITCH - 1000)) < 5,
              timeout=40)

        # The microphone goes out only while PTT is held.
        page.find_element(By.ID, "mic-on").click()
        until(page, lambda d: d.execute_script("return window.rcpAudio.micOn()"))
        ptt = page.find_element(By.ID, "ptt")
        mark = len(station.received())
        ActionChains(page).click_and_hold(ptt).perform()
        mark = station.wait_received(r"TX1;", mark, timeout=WAIT)
        until(page, lambda d: len(recorded(recording)) >= RATE * 2, timeout=WAIT)  # a second of it
        ActionChains(page).release(ptt).perform()
        station.wait_received(r"TX0;", mark)
        sent = samples_of(recorded(recording))
        middle = sent[len(sent) // 4: len(sent) * 3 // 4]
        got = pitch(middle)
        assert abs(got - MIC_PITCH) < 5, "the radio's recording holds %.1f Hz, not %d Hz" % (got, MIC_PITCH)

        # Released: nothing more reaches the radio's modulation input.
        time.sleep(0.3)  # what was queued in the sound server plays out
        after = samples_of(sound.record("radio_tx.monitor", 1.0))
        assert after and pitch(after) == 0, "the microphone still reaches the radio after release (%.1f Hz)" % pitch(after)
        # The radio's sound card unplugged: the page says why its audio stopped; the rest goes on.
        modules = subprocess.run(["pactl", "list", "short", "modules"], env=sound.env, capture_output=True,
                                 text=True).stdout
        card = [m.split()[0] for m in modules.splitlines() if "source_name=radio_rx_in" in m]
        subprocess.run(["pactl", "unload-module", card[0]], env=sound.env, check=True)
        until(page, lambda d: "receive audio stopped" in d.find_element(By.ID, "audio-note").text)
        page.find_element(By.ID, "freq-entry").send_keys("14.2" + Keys.ENTER)
        until(page, lambda d: d.find_element(By.ID, "freq").text == "14.200.000")
        assert station.program.poll() is None, "the program ended when the sound card went"
        print("audio tests passed")
        return 0
    finally:
        if page:
            try:
                page.quit()
            except Exception:
                pass
            shutil.rmtree(getattr(page, "profile_dir", ""), ignore_errors=True)
        if station:
            station.close()
        sound.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
