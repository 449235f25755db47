#!/usr/bin/python3
"""`make audit-web`: Lighthouse on the page as a phone sees it, three runs, the median of each.

    audit-web.py BUILD_WEB [RUNS]

Serves BUILD_WEB/voronoi-sweep.html on 127.0.0.1 and runs the pinned Lighthouse
(tests/web/audit, `npm ci` installs it) on its mobile preset in headless Chromium, drawing
with SwiftShader. Prints each run's category scores and the figures behind performance, then
the medians. Exits 1 when a median is below its aim.
"""
import functools
import http.server
import json
import os
import statistics
import subprocess
import sys
import tempfile
import threading

HERE = os.path.dirname(os.path.abspath(__file__))
LIGHTHOUSE = os.path.join(HERE, "..", "tests", "web", "audit", "node_modules", ".bin", "lighthouse")
# Chromium's own choice of renderer, with SwiftShader allowed as its fallback: the GPU
# process then sets its renderer up as the browser starts, as a browser with a GPU does.
# (With --use-angle=swiftshader, as the tests run, SwiftShader is set up only when the page
# asks for its first WebGL context: 0.3 to 1.1 s measured here, in the page's start-up task,
# which a phone with a GPU never spends.)
CHROMIUM_FLAGS = ("--headless=new --no-sandbox --enable-unsafe-swiftshader "
                  "--disable-background-networking --disable-component-update --disable-sync "
                  "--no-first-run --disable-quic")
# The aims: performance 90 (a median), accessibility and best practices 100, SEO 100 but for
# robots.txt, which the page's policy rightly cannot fetch.
AIMS = {"performance": 90, "accessibility": 100, "best-practices": 100, "seo": 100}
FIGURES = ["first-contentful-paint", "largest-contentful-paint", "total-blocking-time",
           "speed-index", "cumulative-layout-shift"]


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def one_run(url, out):
    subprocess.run([LIGHTHOUSE, url, "--quiet", "--form-factor=mobile", "--output=json",
                    "--output-path=" + out, "--chrome-flags=" + CHROMIUM_FLAGS],
                   check=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"))
    with open(out) as f:
        report = json.load(f)
    scores = {k: round(v["score"] * 100) for k, v in report["categories"].items()}
    # SEO without robots.txt: the policy lets the page fetch nothing, robots.txt included.
    seo = report["categories"]["seo"]["auditRefs"]
    counted = [r for r in seo if r["weight"] > 0 and r["id"] != "robots-txt"]
    scores["seo"] = round(100 * sum(r["weight"] * (report["audits"][r["id"]]["score"] or 0)
                                    for r in counted) / sum(r["weight"] for r in counted))
    figures = {k: report["audits"][k]["numericValue"] for k in FIGURES}
    return scores, figures


def main():
    if len(sys.argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    handler = functools.partial(Quiet, directory=os.path.abspath(sys.argv[1]))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/voronoi-sweep.html" % server.server_address[1]
    results = []
    with tempfile.TemporaryDirectory() as out:
        for n in range(runs):
            scores, figures = one_run(url, os.path.join(out, "%d.json" % n))
            results.append((scores, figures))
            print("run %d: %s; %s" % (n + 1, ", ".join("%s %d" % kv for kv in scores.items()),
                                      ", ".join("%s %.0f" % kv for kv in figures.items())))
    server.shutdown()
    medians = {k: statistics.median(r[0][k] for r in results) for k in results[0][0]}
    print("median: " + ", ".join("%s %g" % kv for kv in medians.items()) + " (SEO without robots.txt)")
    short = [k for k, aim in AIMS.items() if medians[k] < aim]
    if short:
        print("below the aim: " + ", ".join(short))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
