#!/usr/bin/python3
"""The browser build's end-to-end cases, in headless Chromium driven by Selenium.

    web_harness.py CASE BUILD_WEB LINUX_TOOLS_DIR [SCENE]

CASE is one of: window, escape, no-webgl, gl-digest, settled (with SCENE grid, random or
row). BUILD_WEB holds the pages, LINUX_TOOLS_DIR the Linux build's linux-gl-digest and
linux-picture. Exits 0 when the case passed; says why on standard error otherwise.
"""
import functools
import http.server
import io
import os
import subprocess
import sys
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

WIDTH, HEIGHT = 985, 730
TITLE = "Diagrama Voronogo. Velmarosh k-23"
RED, BLUE, BLACK = (255, 0, 0), (0, 0, 255), (0, 0, 0)
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--no-first-run", "--disable-quic", "--window-size=1200,1100",
    "--force-device-scale-factor=1",
]


class Failure(Exception):
    pass


def check(condition, why):
    if not condition:
        raise Failure(why)


def wait_for(condition, seconds, interval=0.1):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)


def random_sites(count, seed):
    """The same pseudo-random sites on every machine (a linear congruential generator)."""
    sites = []
    for _ in range(count):
        seed = (seed * 1664525 + 1013904223) % 2**32
        x = 30 + (seed >> 8) % 920
        seed = (seed * 1664525 + 1013904223) % 2**32
        y = 30 + (seed >> 8) % 670
        sites.append((x, y))
    return sites


# Client pixels, y downwards, as clicked; and whether Right is pressed once the sweep is done.
# A picture that holds for a second is taken as finished. That is true of these scenes at any
# frame rate: once the line has left the window their pictures change in every frame or two
# until they change no more. (Many random scenes do not: with 40 sites from seed 2024 the
# sweep, far below the window, adds Voronoi and Delaunay edges until frame 3116, with pauses
# of over a thousand frames, so the paced page and the unpaced Linux program stopped at
# different pictures.)
SCENES = {
    "grid": ([(150 + 120 * c, 150 + 120 * r) for r in range(4) for c in range(6)], True),
    "random": (random_sites(40, 34), True),
    "row": ([(480, 80), (500, 310), (200, 530), (400, 530), (600, 530), (800, 530)], False),
}


class LoopbackServer:
    """The build directory over HTTP on 127.0.0.1, on a free port, for the case's length."""

    def __init__(self, directory):
        handler = functools.partial(QuietHandler, directory=directory)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, name):
        return "http://127.0.0.1:%d/%s" % (self.server.server_address[1], name)

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Page:
    """One headless Chromium with the page loaded."""

    def __init__(self, url, extra_flags=()):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS + list(extra_flags):
            options.add_argument(flag)
        self.profile = tempfile.TemporaryDirectory(prefix="vs-chromium-")
        options.add_argument("--user-data-dir=" + self.profile.name)
        options.binary_location = "/usr/bin/chromium"
        # Alerts stay up until the case takes them.
        options.set_capability("unhandledPromptBehavior", "ignore")
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(30)
        self.driver.get(url)

    @property
    def canvas(self):
        return self.driver.find_element("id", "window")

    def close(self):
        self.driver.quit()
        self.profile.cleanup()

    def script(self, text):
        return self.driver.execute_script(text)

    def line(self, name):
        return self.script("return document.getElementById('%s').textContent" % name)

    def click(self, x, y):
        # Offsets are from the canvas's centre.
        ActionChains(self.driver).move_to_element_with_offset(
            self.canvas, x - WIDTH // 2, y - HEIGHT // 2).click().perform()

    def key(self, key):
        ActionChains(self.driver).send_keys(key).perform()

    def alert_text(self):
        try:
            alert = self.driver.switch_to.alert
            text = alert.text
            alert.accept()
            return text
        except NoAlertPresentException:
            return None

    def picture(self):
        """The canvas as shown on the page, RGB."""
        return Image.open(io.BytesIO(self.canvas.screenshot_as_png)).convert("RGB")

    def wait_for_dots(self, sites):
        """Every site's 7 x 7 dot is drawn (as the desktop draws them)."""
        return wait_for(lambda: all(dot_drawn(self.picture(), x, y) for x, y in sites), 10,
                        interval=0.3)


def count(picture, colour, box):
    left, top, width, height = box
    return sum(1 for x in range(left, left + width) for y in range(top, top + height)
               if 0 <= x < picture.width and 0 <= y < picture.height
               and picture.getpixel((x, y)) == colour)


def dot_drawn(picture, x, y):
    # 49 red pixels around the click, and the click's pixel (or one beside it, the dot's
    # centre being a half pixel off) among them.
    return (count(picture, RED, (x - 7, y - 7, 15, 15)) == 49
            and count(picture, RED, (x - 1, y - 1, 3, 3)) >= 4)


def has_blue(picture):
    return BLUE in {colour for _, colour in picture.getcolors(WIDTH * HEIGHT)}


def settled(page, right):
    """The page's picture once the sweep has finished (and after Right, when asked)."""
    check(wait_for(lambda: has_blue(page.picture()), 20, interval=0.3),
          "Left did not start the sweep: no sweep line")
    state = {"last": None, "since": time.monotonic()}

    def holds(without_sweep_line):
        now = page.picture()
        if now != state["last"] or (without_sweep_line and has_blue(now)):
            state["last"], state["since"] = now, time.monotonic()
            return False
        return time.monotonic() - state["since"] >= 1.0

    check(wait_for(lambda: holds(True), 180, interval=0.2), "the sweep did not finish")
    if right:
        before = state["last"]
        page.key(Keys.ARROW_RIGHT)
        check(wait_for(lambda: page.picture() != before, 5), "Right showed no Delaunay edges")
        check(wait_for(lambda: holds(False), 30, interval=0.2), "the picture did not settle")
    return state["last"]


# ---- The cases --------------------------------------------------------------------------------

def case_window(build, tools, server):
    """From a web server: title, canvas, the line of use, clicks as dots, Left sweeping."""
    page = Page(server.url("voronoi-sweep.html"))
    try:
        check(wait_for(lambda: page.driver.title == TITLE, 10), "title %r" % page.driver.title)
        size = page.script("var c = document.getElementById('window');"
                           "var r = c.getBoundingClientRect();"
                           "return [c.width, c.height, r.width, r.height, c.style.visibility];")
        check(size == [WIDTH, HEIGHT, WIDTH, HEIGHT, "visible"], "canvas %r" % size)
        check("Left" in page.line("usage") and "Right" in page.line("usage"), "no line of use")
        check(wait_for(lambda: page.picture().getcolors(1) == [(WIDTH * HEIGHT, BLACK)], 10),
              "not a black window")
        sites = [(100, 100), (500, 365), (880, 640), (10, 12)]
        for x, y in sites:
            page.click(x, y)
        check(page.wait_for_dots(sites), "the clicks did not become 7 x 7 red dots")
        page.key(Keys.ARROW_LEFT)
        check(wait_for(lambda: has_blue(page.picture()), 20, interval=0.3),
              "Left did not start the sweep")
        check(page.line("ended") == "" and page.line("status") == "", "the page reports a fault")
    finally:
        page.close()


def case_escape(build, tools, server):
    """From disk: the program runs, and Escape ends it with status 0."""
    page = Page("file://" + os.path.join(build, "voronoi-sweep.html"))
    try:
        check(wait_for(lambda: page.driver.title == TITLE, 10), "title %r" % page.driver.title)
        page.click(400, 300)
        check(page.wait_for_dots([(400, 300)]), "the click did not become a dot")
        page.key(Keys.ESCAPE)
        ended = wait_for(lambda: page.line("ended"), 10)
        check(ended == "The program has ended (status 0).", "after Escape: %r" % ended)
    finally:
        page.close()


def case_no_webgl(build, tools, server):
    """Without WebGL: the framework's Error box, a line that says why, status 1."""
    page = Page(server.url("voronoi-sweep.html"), ["--disable-3d-apis"])
    try:
        text = wait_for(page.alert_text, 10)
        check(text is not None and text.startswith("Error"), "no Error box: %r" % text)
        check("WebGL" in wait_for(lambda: page.line("status"), 5), "no line about WebGL")
        ended = wait_for(lambda: page.line("ended"), 10)
        check(ended == "The program has ended (status 1).", "ended: %r" % ended)
    finally:
        page.close()


def case_gl_digest(build, tools, server):
    """The sweep's GL calls in the browser equal the Linux build's for the same scene."""
    sites = SCENES["random"][0]
    linux = subprocess.run([os.path.join(tools, "linux-gl-digest")] +
                           [str(v) for site in sites for v in site],
                           check=True, capture_output=True, text=True).stdout.split()
    page = Page(server.url("tests/web/page/voronoi-sweep-gl-digest.html"))
    try:
        for x, y in sites:
            page.click(x, y)
        check(page.wait_for_dots(sites), "the clicks did not become dots")
        time.sleep(0.5)  # idle frames before Left: the digest must not depend on them
        page.key(Keys.ARROW_LEFT)
        web = wait_for(lambda: page.script("return Module.glDigest || null"), 180, interval=0.5)
        check(web is not None, "the page's sweep did not finish")
        web = [str(web["digest"]), str(web["calls"]), str(web["frames"])]
        check(web == linux, "digest, calls, frames: browser %s, Linux %s" % (web, linux))
        print("%s calls over %s frames, digest %s" % (web[1], web[2], web[0]))
    finally:
        page.close()


def case_settled(build, tools, server, scene):
    """The settled picture is the Linux program's: the dots exactly, nearly all the rest."""
    sites, right = SCENES[scene]
    out = tempfile.mkdtemp(prefix="vs-web-")
    linux_png = os.path.join(out, scene + "-linux.png")
    subprocess.run([os.path.join(tools, "linux-picture"), linux_png,
                    "right" if right else "no-right"] + [str(v) for s in sites for v in s],
                   check=True, timeout=300)
    linux = Image.open(linux_png).convert("RGB")
    page = Page(server.url("voronoi-sweep.html"))
    try:
        for x, y in sites:
            page.click(x, y)
        check(page.wait_for_dots(sites), "the clicks did not become dots")
        page.key(Keys.ARROW_LEFT)
        web = settled(page, right)
    finally:
        page.close()
    web.save(os.path.join(out, scene + "-web.png"))
    check(linux.size == web.size == (WIDTH, HEIGHT), "sizes %s %s" % (linux.size, web.size))
    for x, y in sites:
        # The dot covers columns x-3..x+3 and rows y-4..y+2 (its centre is half a pixel above
        # the clicked pixel's, as the program's y is the window height less the click's).
        box = (x - 3, y - 4, x + 4, y + 3)
        check(web.crop(box).tobytes() == linux.crop(box).tobytes(),
              "the dot at (%d, %d) differs (pictures in %s)" % (x, y, out))
    a, b = web.tobytes(), linux.tobytes()
    differing = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
    print("%s: %d of %d pixels differ (pictures in %s)" % (scene, differing, WIDTH * HEIGHT, out))
    check(differing <= WIDTH * HEIGHT // 1000, "%d pixels differ, more than 0.1%%" % differing)
    check(count(linux, RED, (0, 0, WIDTH, HEIGHT)) >= 20 * len(sites), "nothing drawn")


CASES = {
    "window": case_window,
    "escape": case_escape,
    "no-webgl": case_no_webgl,
    "gl-digest": case_gl_digest,
    "settled": case_settled,
}


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in CASES:
        sys.stderr.write(__doc__)
        return 2
    case, build, tools = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    server = LoopbackServer(build)
    try:
        CASES[case](build, tools, server, *sys.argv[4:])
    except Failure as failure:
        sys.stderr.write("%s: %s\n" % (case, failure))
        return 1
    finally:
        server.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
