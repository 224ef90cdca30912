#!/usr/bin/python3
"""The remote audio's delay on loopback, sound card to ear both ways, through
the program, its own PulseAudio and a headless Chromium (the pieces of the
audio test).

Receive: the simulated radio's CW beacon plays into the radio's sound card;
this script records that card (parec, low latency) and notes on this
machine's wall clock when each Morse element starts; the page notes when the
same element starts at its output (the worklet's onset, placed in time with
the audio context's output timestamp). Transmit: the page's fake microphone
plays clicks; the page notes each click's onset as captured, this script
when it comes out of the program's playback device.
Also the program's CPU use with one page listening, and the bytes it sends.

usage: bench/audio_latency.py BUILD_DIR [SECONDS]"""
import os
import statistics
import struct
import subprocess
import sys
import threading
import time
import wave

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "browser"))
import audio_station_test as a  # noqa: E402
import station as s  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

RATE = a.RATE


class Recorder:
    """parec in the background; each sample's wall-clock time from the reads' times. It asks
    for the program's own 10 ms blocks: a source serves all its readers in the smallest
    block any of them asks for, so a finer one here would make the program's frames
    come sooner (and cost it more) than they would on a real sound card."""

    def __init__(self, env, source):
        self.p = subprocess.Popen(["parec", "-d", source, "--rate=%d" % RATE, "--channels=1", "--format=s16le",
                                   "--raw", "--latency-msec=10"], env=env, stdout=subprocess.PIPE)
        self.samples = []
        self.origin = None  # wall time of sample 0
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        while True:
            chunk = self.p.stdout.read1(4096) if hasattr(self.p.stdout, "read1") else self.p.stdout.read(960)
            if not chunk:
                return
            now = time.time()
            self.samples.extend(struct.unpack("<%dh" % (len(chunk) // 2), chunk[: len(chunk) // 2 * 2]))
            # The last sample read was taken no later than now: the earliest such bound wins.
            start = now - len(self.samples) / RATE
            self.origin = start if self.origin is None else min(self.origin, start)

    def onsets(self, loud=0.1 * 32768, quiet=0.03 * 32768, quiet_ms=30):
        """As the page's OnsetFinder: a loud sample after a quiet spell."""
        out, run, armed = [], 0, False
        need = RATE * quiet_ms // 1000
        for i, v in enumerate(self.samples):
            v = abs(v)
            if v >= loud:
                if armed:
                    out.append(self.origin + i / RATE)
                armed, run = False, 0
            elif v < quiet:
                run += 1
                armed = armed or run >= need
            elif not armed:
                run = 0
        return out

    def close(self):
        self.p.terminate()
        self.p.wait(10)


def pair(sent, heard, limit=0.4):
    """For each sound heard, the delay since the last one sent before it (the
    sounds are further apart than the limit, so each finds its own)."""
    return [d for _, d in pairs(sent, heard, limit)]


def pairs(sent, heard, limit=0.4):
    out = []
    for h in heard:
        before = [x for x in sent if x <= h and h - x < limit]
        if before:
            out.append((h, (h - before[-1]) * 1000))
    return out


def clicks(path, seconds):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = bytearray()
        for i in range(int(RATE * seconds)):
            on = (i % (RATE * 7 // 10)) < RATE // 50  # 20 ms of 1 kHz every 700 ms
            frames += struct.pack("<h", int(12000 * a.math.sin(2 * a.math.pi * 1000 * i / RATE)) if on else 0)
        w.writeframes(bytes(frames))


def transits(d, since=0):
    """A frame's first sample to its arrival at the page, for the frames that came after `since`
    (wall clock, s): the program stamps frames on the monotonic clock, the page on the wall clock."""
    wall_minus_mono = time.time() - time.monotonic()
    return [arrived - (captured / 1e3 + wall_minus_mono * 1e3)
            for captured, arrived in d.execute_script("return window.rcpAudio.arrivals()") if arrived > since * 1e3]


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def summary(name, values):
    values = sorted(values)
    if not values:
        return "%s: no samples" % name
    return "%s: p50 %.0f ms, p90 %.0f ms (%d samples)" % (
        name, statistics.median(values), values[int(len(values) * 0.9)], len(values))


def main():
    build = os.path.abspath(sys.argv[1])
    seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    work = s.tempfile.mkdtemp(prefix="rcp720-audio-bench-")
    mic = os.path.join(work, "clicks.wav")
    clicks(mic, 10)
    sound = a.SoundServer(work)
    station = d = None
    try:
        station = s.Station(os.path.join(build, "app/qt/rcp720"), os.path.join(build, "sim/tool/qx720-sim"),
                            sim_args=["--audio-out", "radio_rx", "--audio-in", "radio_tx_in",
                                      "--audio-station", str(a.STATION_HZ), "--audio-beacon", "on",
                                      # One dot every 480 ms: far enough apart that each is matched with its own.
                                      "--audio-beacon-text", "E "],
                            program_args=["--audio-in", "radio_rx_in", "--audio-out", "radio_tx"], env=sound.env)
        d = s.browser(s.find("chromium", "/usr/bin/chromium"), s.find("chromedriver", "/usr/bin/chromedriver"),
                      env=sound.env, extra_flags=("--use-fake-ui-for-media-stream", "--use-fake-device-for-media-stream",
                                                  "--use-file-for-fake-audio-capture=" + mic,
                                                  "--autoplay-policy=no-user-gesture-required"))
        s.log_in(d, station.url, s.PASSWORD)
        s.until(d, lambda d: d.find_element(By.ID, "link-state").text == "linked")
        d.find_element(By.ID, "freq-entry").send_keys("14.2" + Keys.ENTER)
        s.until(d, lambda d: d.find_element(By.ID, "freq").text == "14.200.000")
        d.find_element(By.ID, "audio-on").click()
        s.until(d, lambda d: len(d.execute_script("return window.rcpAudio.onsets().rx")) > 3, timeout=40)

        # Receive.
        rx = Recorder(sound.env, "radio_rx.monitor")
        cpu0, t0 = cpu_seconds(station.program.pid), time.monotonic()
        time.sleep(seconds)  # the measurement's length
        cpu = (cpu_seconds(station.program.pid) - cpu0) / (time.monotonic() - t0) * 100
        heard = d.execute_script("return window.rcpAudio.onsets().rx").copy()
        stats = d.execute_script("return window.rcpAudio.stats()")
        transit = transits(d)
        output_ms = d.execute_script("return window.rcpAudio.outputMs()")
        rx.close()
        rx_delays = pair(rx.onsets(), [h / 1000 for h in heard])

        # Transmit.
        d.find_element(By.ID, "mic-on").click()
        s.until(d, lambda d: d.execute_script("return window.rcpAudio.micOn()"))
        tx = Recorder(sound.env, "radio_tx.monitor")
        rx_after = Recorder(sound.env, "radio_rx.monitor")
        ptt = d.find_element(By.ID, "ptt")
        ActionChains(d).click_and_hold(ptt).perform()
        pressed = time.time()
        underruns = []  # (when, in s from the press) the page's buffer ran dry

        def watch(until):
            last = d.execute_script("return window.rcpAudio.stats()")["underruns"]
            while time.time() < until:
                now = d.execute_script("return window.rcpAudio.stats()")["underruns"]
                if now != last:
                    underruns.append(time.time() - pressed)
                last = now
                time.sleep(0.05)
        watch(pressed + min(seconds, 8))  # the over's length
        ActionChains(d).release(ptt).perform()
        released = time.time()
        watch(released + 0.5)
        tx.close()
        watch(released + 4.5)  # receive again after the over
        rx_after.close()
        transit_after = transits(d, released)
        stats_after = d.execute_script("return window.rcpAudio.stats()")
        output_after = d.execute_script("return window.rcpAudio.outputMs()")
        heard_after = [h / 1000 for h in d.execute_script("return window.rcpAudio.onsets().rx") if h / 1000 > released]
        after = pairs(rx_after.onsets(), heard_after)
        first = [x for h, x in after if h - released < 2]
        later = [x for h, x in after if h - released >= 2]
        spoken = [m / 1000 for m in d.execute_script("return window.rcpAudio.onsets().mic")]
        tx_delays = pair(spoken, tx.onsets())
        print("onsets: %d received, %d heard; %d spoken, %d played" % (
            len(rx.onsets()), len(heard), len(spoken), len(tx.onsets())))

        print(summary("receive, sound card to the page's output", rx_delays))
        print("  " + summary("of which a frame's first sample to its arrival at the page", transit))
        print("  and the browser's output after the page's player: %.0f ms" % output_ms)
        print("  the page's jitter buffer at the end: %.0f ms held, target %.0f ms, %d lost, %d underruns" % (
            stats["depthMs"], stats["targetMs"], stats["lost"], stats["underruns"]))
        print(summary("transmit, the page's microphone to the playback device", tx_delays))
        print(summary("receive in the 2 s after the over", first))
        print(summary("receive 2 to 4 s after the over", later))
        print("  " + summary("then a frame's first sample to its arrival at the page", transit_after))
        print("  the page's buffer ran dry %s (the over lasted %d s)" % (
            "at " + ", ".join("%.2f" % u for u in underruns) + " s from the press" if underruns else "never",
            min(seconds, 8)))
        print("  then: the browser's output %.0f ms; the jitter buffer %.0f ms held, target %.0f ms, %d lost, %d underruns"
              % (output_after, stats_after["depthMs"], stats_after["targetMs"], stats_after["lost"],
                 stats_after["underruns"]))
        print("program CPU with one page listening: %.1f %% of a core" % cpu)
        return 0
    finally:
        if d:
            d.quit()
        if station:
            station.close()
        sound.close()
        s.shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
