#!/usr/bin/python3
"""`make bench-web`: the browser's frame times beside the native ones, from one run.

    run_web_bench.py BUILD_WEB NATIVE_SWEEP_BENCH

Runs the native sweep-bench on the 199 random sites and the 199-site grid, then the page
web-sweep-bench.html in headless Chromium (each scene with the GL subset as the program has
it, and with every point handed over to WebGL), then the native one again, and prints the
figures side by side. The page is served with cross-origin isolation, which gives its clock
(performance.now) a resolution of 5 microseconds instead of 100.
"""
import functools
import http.server
import json
import os
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

FLAGS = ["--headless", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--no-first-run", "--disable-quic", "--window-size=1200,1100"]


class IsolatedHandler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()

    def log_message(self, *args):
        pass


SCENES = ["199 random", "199 grid"]


def native(sweep_bench):
    """Per scene: frames, total, median and slowest frame of the frame routine's sweep."""
    out = subprocess.run([sweep_bench, "--benchmark_filter=199 (random|grid)/production",
                          "--benchmark_format=json"], check=True, capture_output=True,
                         text=True).stdout
    runs = json.loads(out[out.index("{"):out.rindex("}") + 1])["benchmarks"]
    found = {}
    for run in runs:
        for scene in SCENES:
            if "/" + scene + "/" in "/" + run["name"]:
                found[scene] = (run["frames"], run["real_time"], run["median_ms"],
                                run["slowest_ms"])
    return found


def browser(build_web):
    handler = functools.partial(IsolatedHandler, directory=build_web)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    for flag in FLAGS:
        options.add_argument(flag)
    profile = tempfile.TemporaryDirectory(prefix="vs-chromium-")
    options.add_argument("--user-data-dir=" + profile.name)
    options.binary_location = "/usr/bin/chromium"
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        # The page computes for minutes before it has loaded.
        driver.set_page_load_timeout(1200)
        driver.set_script_timeout(600)
        driver.get("http://127.0.0.1:%d/bench/web/web-sweep-bench.html" % server.server_address[1])
        deadline = time.monotonic() + 900
        result = None
        while result is None and time.monotonic() < deadline:
            result = driver.execute_script("return Module.benchResult || null")
            time.sleep(1)
        isolated = driver.execute_script("return self.crossOriginIsolated")
    finally:
        driver.quit()
        server.shutdown()
        profile.cleanup()
    if result is None:
        sys.exit("the benchmark page gave no result")
    return result, isolated


def main():
    build_web, sweep_bench = os.path.abspath(sys.argv[1]), sys.argv[2]
    before = native(sweep_bench)
    rows, isolated = browser(build_web)
    after = native(sweep_bench)
    for index, scene in enumerate(SCENES):
        print("%s, the sweep of median total out of five" % scene)
        print("| run | total | median frame | slowest frame |")
        print("|---|---|---|---|")
        print("| native, GL calls to a sink (before) | %.3f s | %.3f ms | %.3f ms |"
              % (before[scene][1] / 1000, before[scene][2], before[scene][3]))
        for (_, culling, frames, total, median, slowest, draw_median, draw_slowest) in (
                row for row in rows if row[0] == index):
            points = "a point repeating the one before left out" if culling else "every point"
            print("| browser, %s: frame routine + GL submission (%d frames) | %.3f s | %.3f ms "
                  "| %.3f ms |" % (points, frames, total / 1000, median, slowest))
            print("| browser, %s: hand-over to WebGL, unpaced (upload, draw calls, waits) | "
                  "| %.3f ms | %.3f ms |" % (points, draw_median, draw_slowest))
        print("| native, GL calls to a sink (after) | %.3f s | %.3f ms | %.3f ms |"
              % (after[scene][1] / 1000, after[scene][2], after[scene][3]))
        print()
    print("(browser clock %s)" % ("5 us, cross-origin isolated" if isolated else "100 us"))


if __name__ == "__main__":
    main()
