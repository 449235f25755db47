"""The page driver of the browser tests: one headless Chromium (Selenium) with a page loaded,
as a desktop or as an emulated device, and what a user does with it (taps, clicks, gestures,
keys) or what a test reads of it (its lines, its pictures through the test page's door,
what its live region said, what axe finds); the loopback server that serves the pages."""
import base64
import functools
import http.server
import io
import os
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

WIDTH, HEIGHT = 985, 730
HERE = os.path.dirname(os.path.abspath(__file__))
# axe-core from the npm registry, pinned in audit/package-lock.json (npm ci installs it).
AXE = os.path.join(HERE, "audit", "node_modules", "axe-core", "axe.min.js")
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]
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


class LoopbackServer:
    """The build directory over HTTP on 127.0.0.1, on a free port, for the case's length."""

    def __init__(self, directory):
        handler = functools.partial(QuietHandler, directory=directory)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.server.requests = []
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

    def log_request(self, *args):
        self.server.requests.append(self.path)


# The window's picture as the program drew it, one pixel per window pixel whatever size the
# page shows it at: read where the next frame was drawn (the drawing buffer, or the picture
# the page keeps it in when the canvas is shown at another size). As PNGs, rows bottom up:
# the picture ('picture'), or the picture and the drawing buffer as the page showed it
# ('shown'); or, cheap enough to ask for often, a hash of the picture and whether it holds
# the blue of the sweep line ('fingerprint').


class Page:
    """One headless Chromium with the page loaded, as a desktop or as an emulated device."""

    def __init__(self, url, extra_flags=(), device=None):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS + list(extra_flags):
            options.add_argument(flag)
        self.touch = device is not None and device[3]
        if device is not None:
            options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
                "width": device[0], "height": device[1], "pixelRatio": device[2],
                "touch": device[3]}})
        self.profile = tempfile.TemporaryDirectory(prefix="vs-chromium-")
        options.add_argument("--user-data-dir=" + self.profile.name)
        options.binary_location = "/usr/bin/chromium"
        # Alerts stay up until the case takes them.
        options.set_capability("unhandledPromptBehavior", "ignore")
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(30)
        self.driver.get(url)

    def close(self):
        self.driver.quit()
        self.profile.cleanup()

    def script(self, text, *arguments):
        return self.driver.execute_script(text, *arguments)

    def line(self, name):
        return self.script("return document.getElementById('%s').textContent" % name)

    def box(self, selector):
        return self.script("var r = document.querySelector('%s').getBoundingClientRect();"
                           "return [r.left, r.top, r.width, r.height];" % selector)

    def tap(self, x, y):
        """A tap or a click at the middle of where the page shows window pixel (x, y), at
        whatever fractional position that is."""
        left, top, width, height = self.box("#window")
        self.touch_at({"x": left + (x + 0.5) * width / WIDTH, "y": top + (y + 0.5) * height / HEIGHT})

    def touch_at(self, at):
        if not self.touch:
            for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
                self.driver.execute_cdp_cmd("Input.dispatchMouseEvent",
                                            dict(at, type=kind, button="left", clickCount=1))
            return
        self.gesture([[at]])

    def gesture(self, fingers):
        """Fingers down at the first of their points, each point in turn, then lifted."""
        cdp = self.driver.execute_cdp_cmd
        cdp("Input.dispatchTouchEvent", {"type": "touchStart",
                                         "touchPoints": [f[0] for f in fingers]})
        for step in range(1, max(len(f) for f in fingers)):
            cdp("Input.dispatchTouchEvent", {"type": "touchMove", "touchPoints": [
                f[min(step, len(f) - 1)] for f in fingers]})
        cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def centre(self, selector):
        left, top, width, height = self.box(selector)
        return {"x": left + width / 2, "y": top + height / 2}

    def press(self, code):
        """The on-screen key for the key `code`, tapped or clicked."""
        self.touch_at(self.centre("#keys [data-code=%s]" % code))

    def in_view(self):
        """The usage line, the whole window and its keys in the page's view, unscrolled."""
        return self.script("var e = document.documentElement, w = document.getElementById("
                           "'window').getBoundingClientRect(), k = document.getElementById("
                           "'keys').getBoundingClientRect();"
                           "return scrollX === 0 && scrollY === 0 && w.left >= 0 && w.top > 0"
                           " && w.right <= e.clientWidth && k.bottom <= e.clientHeight;")

    def key(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifier, *keys):
        """The keys typed with a modifier held down (Shift+Tab, Control+A)."""
        ActionChains(self.driver).key_down(modifier).send_keys(*keys).key_up(modifier).perform()

    def focused(self):
        return self.script("return document.activeElement.id || document.activeElement.textContent")

    def listen(self):
        """From now on, every text of the status line (the live region) in order."""
        self.script("window.heard = []; new MutationObserver(function() {"
                    " heard.push(document.getElementById('status').textContent); }).observe("
                    "document.getElementById('status'), {childList: true, characterData: true,"
                    " subtree: true});")

    def heard(self):
        return self.script("return window.heard")

    def name(self):
        return self.script("return document.getElementById('window').getAttribute('aria-label')")

    def axe(self, state):
        """No violation of WCAG 2.2 AA or axe's best practices in the page as it is now. The
        page's policy lets no script in, so axe comes through the DevTools protocol."""
        if not self.script("return typeof axe !== 'undefined'"):
            with open(AXE) as source:
                self.driver.execute_cdp_cmd("Runtime.evaluate", {"expression": source.read()})
        found = self.driver.execute_async_script(
            "var done = arguments[1]; axe.run(document, {runOnly: {type: 'tag', values:"
            " arguments[0]}}).then(function(r) { done(r.violations.map(function(v) {"
            " return v.id + ': ' + v.nodes.map(function(n) { return n.target; }).join(' '); }"
            ")); }, function(e) { done(['axe failed: ' + e]); });", AXE_TAGS)
        check(not found, "axe, %s: %s" % (state, "; ".join(found)))

    def alert_text(self):
        try:
            alert = self.driver.switch_to.alert
            text = alert.text
            alert.accept()
            return text
        except NoAlertPresentException:
            return None

    def picture(self, shown=False):
        """The window's picture, RGB, as the program drew it (and as the page showed it)."""
        pictures = [Image.open(io.BytesIO(base64.b64decode(url[url.index(",") + 1:])))
                    .convert("RGB").transpose(Image.FLIP_TOP_BOTTOM) for url in
                    self.door("picture", "shown" if shown else "picture")]
        return pictures if shown else pictures[0]

    def fingerprint(self):
        """(A hash of the window's picture, whether the sweep line is in it.)"""
        return tuple(self.door("picture", "fingerprint"))

    def door(self, what, *arguments):
        """What the test page's door (Module.testDoor) gives, waited for."""
        return self.driver.execute_async_script(
            "var done = arguments[arguments.length - 1];"
            "Module.testDoor[%r].apply(null, Array.prototype.slice.call(arguments, 0, -1)"
            ".concat([done]));" % what, *arguments)

    def lose_context(self):
        """The page's WebGL context taken away, as a browser takes it."""
        self.script("window.loser = Module.testDoor.context()"
                    ".getExtension('WEBGL_lose_context'); loser.loseContext();")

    def restore_context(self):
        self.script("loser.restoreContext();")
