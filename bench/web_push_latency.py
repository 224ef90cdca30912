#!/usr/bin/python3
"""How long a change at the radio takes to show on the remote station's page,
on loopback: the simulated radio's dial is turned, and the page notes (with
a MutationObserver) when #freq changed; both clocks are this machine's wall
clock. Also the program's CPU use over a quiet spell with one page open.

usage: bench/web_push_latency.py BUILD_DIR [SAMPLES]"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "browser"))
import web_station_test as t  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402

build = sys.argv[1]
samples = int(sys.argv[2]) if len(sys.argv) > 2 else 40
station = t.Station(os.path.join(build, "app/qt/rcp720"), os.path.join(build, "sim/tool/qx720-sim"),
                    ["--meter-period", "10000000"])
d = t.browser(t.find("chromium", "/usr/bin/chromium"), t.find("chromedriver", "/usr/bin/chromedriver"))
try:
    t.log_in(d, station.url, t.PASSWORD)
    t.until(d, lambda d: d.find_element(By.ID, "link-state").text == "linked")
    d.execute_script("""
      window.changes = [];
      new MutationObserver(() => window.changes.push(performance.timeOrigin + performance.now()))
        .observe(document.getElementById('freq'), {childList: true, characterData: true, subtree: true});""")
    took = []
    for i in range(samples):
        before = d.execute_script("return window.changes.length")
        sent = time.time() * 1000
        station.sim_command("dial %d" % (1 if i % 2 else -1))
        t.until(d, lambda d: d.execute_script("return window.changes.length") > before)
        took.append(d.execute_script("return window.changes[%d]" % before) - sent)
        time.sleep(0.1)
    took.sort()
    print("dial turn -> page text: p50 %.1f ms, p90 %.1f ms, max %.1f ms (%d samples)" % (
        statistics.median(took), took[int(len(took) * 0.9) - 1], took[-1], len(took)))

    def cpu_seconds(pid):
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    spell = 30
    start = cpu_seconds(station.program.pid)
    time.sleep(spell)
    used = cpu_seconds(station.program.pid) - start
    print("idle with one page open: %.3f %% of a core over %d s (the radio idle, its meters still)" % (
        used / spell * 100, spell))
finally:
    d.quit()
    station.close()
