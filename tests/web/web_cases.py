#!/usr/bin/python3
"""The browser build's end-to-end cases, in headless Chromium (chromium_page.py drives it).

    web_cases.py CASE BUILD_WEB LINUX_TOOLS_DIR [DEVICE]

CASE is one of: window, escape, no-webgl, gl-digest, keyboard, culling, device (with DEVICE
phone, tablet or laptop). BUILD_WEB holds the pages (the program's with the test door, and
the GL digest's), LINUX_TOOLS_DIR the Linux build's linux-gl-digest and linux-picture. Exits
0 when the case passed; says why on standard error otherwise.
"""
import fnmatch
import os
import subprocess
import sys
import tempfile
import time

from PIL import ImageChops
from selenium.webdriver.common.keys import Keys

from chromium_page import HEIGHT, WIDTH, Failure, LoopbackServer, Page, check, wait_for
from pictures import (RED, BLACK, contrast, count, dot_drawn, linux_picture, same_as_linux,
                      vanished)

TITLE = "Diagrama Voronogo. Velmarosh k-23"
# The program's page with the test door, which only the test pages have.
PAGE = "tests/web/page/voronoi-sweep-test.html"


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


# Client pixels, y downwards, as clicked; Right is pressed once the sweep is done. A picture
# that holds for a second is taken as finished. That is true of these scenes at any frame
# rate: once the line has left the window their pictures change in every frame or two until
# they change no more. (Many random scenes do not: with 40 sites from seed 2024 the
# sweep, far below the window, adds Voronoi and Delaunay edges until frame 3116, with pauses
# of over a thousand frames, so the paced page and the unpaced Linux program stopped at
# different pictures.)
SCENES = {
    "grid": [(150 + 120 * c, 150 + 120 * r) for r in range(4) for c in range(6)],
    "random": random_sites(40, 34),
    "row": [(480, 80), (500, 310), (200, 530), (400, 530), (600, 530), (800, 530)],
}

# Chromium's device emulation: CSS viewport, device pixel ratio, touch; and the scene each
# device sweeps. The laptop is a 1366 x 768 screen less the browser's bars.
DEVICES = {
    "phone": (390, 844, 3.0, True, "grid"),
    "tablet": (820, 1180, 2.0, True, "random"),
    "laptop": (1366, 625, 1.25, False, "row"),
}








def laid_out(page, what):
    """Nothing scrolls sideways; the window no smaller than a quarter (the filter keeps every
    line down to that) unless the page is narrower; the legend beside the window or under
    the controls, never between the window and them. What is wrong, or None."""
    w, k, g, page_width, scroll_width = page.script(
        "function box(id) { var r = document.getElementById(id).getBoundingClientRect();"
        " return [r.left, r.top, r.right, r.bottom]; }"
        "var e = document.documentElement;"
        "return [box('window'), box('keys'), box('legend'), e.clientWidth, e.scrollWidth];")
    if scroll_width > page_width:
        return "%s: the page scrolls sideways" % what
    if w[2] - w[0] < min(WIDTH / 4, page_width - 16) - 0.5:
        return "%s: the window is shown %.0f pixels wide" % (what, w[2] - w[0])
    if g[0] < w[2] and g[1] < k[3]:
        return "%s: the legend at %r, between the window %r and the keys %r" % (what, g, w, k)
    return None


def wait_for_dots(page, sites):
    """Every site's 7 x 7 dot is drawn (as the desktop draws them)."""
    return wait_for(lambda: all(dot_drawn(picture, x, y) for picture in [page.picture()]
                                for x, y in sites), 10, interval=0.3)


def settled(page, press_right):
    """The page's picture once the sweep has finished and Right has been pressed."""
    check(wait_for(lambda: page.fingerprint()[1], 20, interval=0.3),
          "Left did not start the sweep: no sweep line")
    state = {"last": None, "since": time.monotonic()}

    def holds(without_sweep_line):
        now = page.fingerprint()
        if now != state["last"] or (without_sweep_line and now[1]):
            state["last"], state["since"] = now, time.monotonic()
            return False
        return time.monotonic() - state["since"] >= 1.0

    check(wait_for(lambda: holds(True), 300, interval=0.5), "the sweep did not finish")
    before = state["last"]
    press_right()
    check(wait_for(lambda: page.fingerprint() != before, 5), "Right showed no Delaunay edges")
    check(wait_for(lambda: holds(False), 30, interval=0.5), "the picture did not settle")
    return page.picture()


# ---- The cases --------------------------------------------------------------------------------

def case_window(build, tools, server):
    """From a web server: title, canvas, the line of use, clicks as dots, Left sweeping; the
    status line when WebGL is lost for good; a single request to the server."""
    page = Page(server.url(PAGE))
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
            page.tap(x, y)
        check(wait_for_dots(page, sites), "the clicks did not become 7 x 7 red dots")
        page.key(Keys.ARROW_LEFT)
        check(wait_for(lambda: page.fingerprint()[1], 20, interval=0.3),
              "Left did not start the sweep")
        check("WebGL" not in page.line("status") and "ended" not in page.line("usage"),
              "the page reports a fault")
        # Classic scroll bars, and 400 % zoom (a quarter of 1280 x 900 CSS pixels).
        for what, metrics in [("1280 x 1000", (1280, 1000, 1)), ("1280 x 1024", (1280, 1024, 1)),
                              ("zoomed to 400 %", (320, 225, 4))]:
            page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": metrics[0], "height": metrics[1], "deviceScaleFactor": metrics[2],
                "mobile": False})
            wrong = wait_for(lambda: laid_out(page, what) is None, 5) or laid_out(page, what)
            check(wrong is True, wrong)
        page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        # Made narrow, the page shows the window at about 0.4 of its size: every window pixel
        # drawn (dot, line) still shows, none dropped by the filtering.
        page.driver.set_window_size(400, 1100)
        check(wait_for(page.in_view, 5), "the page did not follow its new size")
        # The frame shown next may still be one drawn at the old size.
        shots = [page.picture(shown=True)]
        wait_for(lambda: shots[-1][1].width <= 0.4 * WIDTH or shots.append(
            page.picture(shown=True)), 5)
        picture, shown = shots[-1]
        check(shown.width <= 0.4 * WIDTH, "shown %d pixels wide" % shown.width)
        lost = vanished(picture, shown)
        check(not lost, "%d drawn window pixels vanish, such as %r" % (len(lost), lost[:3]))
        # Its policy lets the page fetch nothing, not even from its own server.
        page.driver.execute_async_script("var finish = arguments[0];"
                                         "var done = function() { finish(); };"
                                         "fetch('/nothing').then(done, done);")
        page.lose_context()
        check(wait_for(lambda: "not given" in page.line("status"), 10),
              "a context lost for good: the status line says %r" % page.line("status"))
    finally:
        page.close()
    requests = server.server.requests
    check(requests == ["/" + PAGE], "the server was asked for %r" % requests)


def case_escape(build, tools, server):
    """From disk: the program runs, Escape ends it with status 0, Run again starts anew."""
    page = Page("file://" + os.path.join(build, PAGE))
    try:
        check(wait_for(lambda: page.driver.title == TITLE, 10), "title %r" % page.driver.title)
        page.tap(400, 300)
        check(wait_for_dots(page, [(400, 300)]), "the click did not become a dot")
        page.key(Keys.ESCAPE)
        ended = wait_for(lambda: "ended" in page.line("usage") and page.line("usage"), 10)
        check(ended and ended.startswith("The program has ended (status 0)."),
              "after Escape: %r" % ended)
        page.driver.find_element("id", "again").click()
        check(wait_for(lambda: "ended" not in page.line("usage") and page.driver.title == TITLE, 10)
              and page.picture().getcolors(1) == [(WIDTH * HEIGHT, BLACK)],
              "Run again did not start a new run")
    finally:
        page.close()


def case_no_webgl(build, tools, server):
    """Without WebGL: the framework's Error box, a line that says why, status 1."""
    page = Page(server.url(PAGE), ["--disable-3d-apis"])
    try:
        text = wait_for(page.alert_text, 10)
        check(text is not None and text.startswith("Error"), "no Error box: %r" % text)
        check("WebGL" in wait_for(lambda: page.line("status"), 5), "no line about WebGL")
        ended = wait_for(lambda: "ended" in page.line("usage") and page.line("usage"), 10)
        check(ended and ended.startswith("The program has ended (status 1)."), "ended: %r" % ended)
    finally:
        page.close()


def linux_gl_digest(tools, sites):
    """The Linux build's GL call digest of the sweep of the sites clicked, its calls and its
    frames."""
    return subprocess.run([os.path.join(tools, "linux-gl-digest")] +
                          [str(v) for site in sites for v in site],
                          check=True, capture_output=True, text=True).stdout.split()


def case_gl_digest(build, tools, server):
    """The sweep's GL calls in the browser equal the Linux build's for the same scene."""
    sites = SCENES["random"]
    linux = linux_gl_digest(tools, sites)
    page = Page(server.url("tests/web/page/voronoi-sweep-gl-digest.html"))
    try:
        for x, y in sites:
            page.tap(x, y)
        check(wait_for_dots(page, sites), "the clicks did not become dots")
        time.sleep(0.5)  # idle frames before Left: the digest must not depend on them
        page.key(Keys.ARROW_LEFT)
        web = wait_for(lambda: page.script("return Module.glDigest || null"), 180, interval=0.5)
        check(web is not None, "the page's sweep did not finish")
        # The legend shows each colour the frame routine draws in, as 8-bit GL stores it.
        drawn = sorted("rgb(%d, %d, %d)" % tuple(int(c * 255 + 0.5) for c in colour)
                       for colour in web["colours"])
        legend = sorted(page.script("return Array.prototype.map.call(document.querySelectorAll("
                                    "'#legend i'), function(i) {"
                                    " return getComputedStyle(i).backgroundColor; });"))
        check(legend == drawn, "legend %s, GL colours %s" % (legend, drawn))
        web = [str(web["digest"]), str(web["calls"]), str(web["frames"])]
        check(web == linux, "digest, calls, frames: browser %s, Linux %s" % (web, linux))
        print("%s calls over %s frames, digest %s" % (web[1], web[2], web[0]))
    finally:
        page.close()


def case_device(build, tools, server, device):
    """On a phone, a tablet or a laptop: the window and its keys in view; taps or clicks
    placing their dots on the window pixels under them; the on-screen Left sweeping and Right
    (on-screen, or the keyboard's after a button) showing the Delaunay edges; the settled
    picture the Linux program's: the dots exactly, nearly all the rest. On the phone, a pinch
    and a pan that start on the window place nothing, every control is a 44-pixel target,
    and axe finds nothing before, during (paused, the placing fields in use) and after the
    sweep. The laptop's WebGL context is lost and given back mid-sweep."""
    width, height, ratio, touch, scene = DEVICES[device]
    sites = SCENES[scene]
    out = tempfile.mkdtemp(prefix="vs-web-")
    linux = linux_picture(tools, sites, out, scene)
    phone = device == "phone"
    page = Page(server.url(PAGE), device=DEVICES[device])
    try:
        check(wait_for(lambda: page.driver.title == TITLE, 10), "title %r" % page.driver.title)
        check(page.in_view(), "the window and its keys not all in view: %r" % page.box("#window"))
        if phone:
            page.axe("phone, before the sweep")
            small = page.script("return Array.prototype.filter.call(document.querySelectorAll("
                                "'button:not([hidden]), select, input'), function(e) {"
                                " return e.getBoundingClientRect().height < 44; }).length")
            check(small == 0, "%d controls are less than 44 pixels tall" % small)
            left, top, w, h = page.box("#window")
            middle = {"x": left + w / 2, "y": top + h / 2}
            page.gesture([[middle, dict(middle, x=middle["x"] + 10)],
                          [dict(middle, x=middle["x"] - 30), dict(middle, x=middle["x"] + 40)]])
            page.gesture([[middle], [dict(middle, y=middle["y"] + 40)]])
            page.driver.execute_cdp_cmd("Emulation.resetPageScaleFactor", {})
            time.sleep(1)
            check(count(page.picture(), RED, (0, 0, WIDTH, HEIGHT)) == 0,
                  "a pinch or a pan on the window placed a site")
        for x, y in sites:
            page.tap(x, y)
        check(wait_for_dots(page, sites), "the taps did not become dots")
        page.press("ArrowLeft")
        if phone:
            check(wait_for(lambda: page.fingerprint()[1], 20, interval=0.3), "no sweep")
            page.touch_at(page.centre("#pause"))
            check(wait_for(lambda: page.line("status").startswith("Paused"), 5), "not paused")
            page.axe("phone, paused")
            page.script("document.getElementById('place-x').focus()")
            page.axe("phone, the placing fields in use")
            page.touch_at(page.centre("#pause"))
        if device == "laptop":
            check(wait_for(lambda: page.fingerprint()[1], 20, interval=0.3), "no sweep")
            page.lose_context()
            check(wait_for(lambda: "taken" in page.line("status"), 5), "a lost context: nothing said")
            time.sleep(1)
            page.restore_context()
            check(wait_for(lambda: "given the WebGL drawing back" in page.line("status"), 5),
                  "the context did not return")
        # On the laptop, the keyboard's Right after the on-screen Left.
        web = settled(page, lambda: page.press("ArrowRight") if touch
                      else page.key(Keys.ARROW_RIGHT))
        if phone:
            page.axe("phone, after the sweep")
    finally:
        page.close()
    same_as_linux(web, linux, sites, out, scene)


def case_keyboard(build, tools, server):
    """The keyboard alone, no pointer event at all: Tab to the placing fields, six sites placed,
    the sweep started, paused, five steps (the picture changes exactly five times), resumed,
    Right, High contrast, End; the settled picture the Linux program's; the live region's
    announcements in order; axe at every state; High contrast the exact map of the program's
    picture, every colour 3:1 or more against the black, the legend in its colours."""
    sites = [(150, 110), (420, 80), (800, 150), (250, 560), (600, 620), (880, 500)]
    out = tempfile.mkdtemp(prefix="vs-web-")
    linux = linux_picture(tools, sites, out, "keyboard")
    page = Page(server.url(PAGE))
    try:
        check(wait_for(lambda: page.name() and page.name().endswith("not started"), 10),
              "the canvas is named %r" % page.name())
        page.listen()
        page.axe("before the sweep")
        page.key(*[Keys.TAB] * 9)
        check(page.focused() == "place-x", "nine Tabs reach %r, not the x field" % page.focused())
        for n, (x, y) in enumerate(sites):
            if n:
                page.chord(Keys.SHIFT, Keys.TAB, Keys.TAB)
            for value, then in ((x, Keys.TAB), (y, "")):
                page.chord(Keys.CONTROL, "a")
                page.key(str(value), then)
            if n == 0:
                check(page.script("return !document.getElementById('crosshair').hidden"),
                      "no crosshair while the fields are in use")
                page.axe("the placing fields in use")
            page.key(Keys.TAB, Keys.ENTER)
            check(wait_for(lambda: "Site %d placed" % (n + 1) in page.line("status"), 5),
                  "site %d: the status line says %r" % (n + 1, page.line("status")))
        page.key(Keys.ARROW_LEFT)  # from the Place button, the program's key
        # Paused between the rows of the sites, where every frame moves the line a pixel.
        row = lambda: int(page.name().split(" row ")[1].split()[0]) if " row " in page.name() else -1
        check(wait_for(lambda: row() >= 300, 30, interval=0.05), "the sweep did not start")
        page.axe("during the sweep")
        page.chord(Keys.SHIFT, *[Keys.TAB] * 6)
        check(page.focused() == "pause", "Shift+Tab reached %r, not Pause" % page.focused())
        page.key(Keys.SPACE)
        check(wait_for(lambda: page.line("status").startswith("Paused"), 5), "not paused")
        time.sleep(0.5)
        held = page.fingerprint()
        time.sleep(0.5)
        check(page.fingerprint() == held, "the picture changes while paused")
        page.axe("paused")
        page.key(Keys.TAB)
        for step in range(5):
            page.key(Keys.SPACE)
            check(wait_for(lambda: page.fingerprint() != held, 5), "step %d showed nothing" % step)
            held = page.fingerprint()
            time.sleep(0.5)
            check(page.fingerprint() == held, "step %d showed more than one frame" % step)
        page.chord(Keys.SHIFT, Keys.TAB)
        page.key(Keys.SPACE)
        web = settled(page, lambda: page.key(Keys.ARROW_RIGHT))
        page.axe("after the sweep")
        # High contrast: the Colours choice, three Tabs on from Pause.
        page.key(Keys.TAB, Keys.TAB, Keys.TAB, Keys.ARROW_DOWN)
        check(wait_for(lambda: "high contrast" in page.line("status"), 5), "no High contrast")
        contrast_holds(page)
        page.axe("High contrast")
        page.chord(Keys.SHIFT, *[Keys.TAB] * 5)
        page.key(Keys.ENTER)
        check(wait_for(lambda: "ended" in page.line("usage"), 5), "End did not end the program")
        check(page.focused() == "again", "after End the focus is on %r" % page.focused())
        heard = page.heard()
    finally:
        page.close()
    same_as_linux(web, linux, sites, out, "keyboard")
    expected = ["Site %d placed at x %d, y %d." % (n + 1, x, y) for n, (x, y) in enumerate(sites)]
    expected += ["The sweep has started.", "The sweep line is a quarter of the way down, at row *",
                 "Paused at the next frame.*"] + ["One frame on: *"] * 5 + [
                 "Resumed.", "The sweep line is halfway down, at row *",
                 "The sweep line is three quarters of the way down, at row *",
                 "The sweep has finished: the Voronoi diagram of 6 sites is drawn.",
                 "Delaunay edges shown.", "Colours: high contrast*",
                 "The program has ended (status 0)."]
    check(len(heard) == len(expected) and all(fnmatch.fnmatchcase(h, e) for h, e in
                                              zip(heard, expected)), "heard %r" % heard)


def held_pictures(server, clicks, frames, culling):
    """The page's pictures at the given frames of a stepped sweep (frame 1 takes the clicks
    and the Left arrow), with the GL layer's point culling on or off; and the vertices it
    handed over to WebGL."""
    page = Page(server.url(PAGE))
    try:
        check(wait_for(lambda: page.driver.title == TITLE, 10), "title %r" % page.driver.title)
        page.door("pointCulling", culling)
        page.script("Module.driver.holdFrames(true)")
        check(wait_for(lambda: page.door("held")[1], 10), "the frames were not held")
        start = page.door("held")[0]
        page.script("arguments[0].forEach(function(c) { Module.driver.click(c[0], c[1]); })",
                    clicks)
        page.key(Keys.ARROW_LEFT)
        pictures = []
        for frame in frames:
            page.script("for (var i = 0; i < arguments[0]; ++i) Module.driver.stepFrame();",
                        start + frame - page.door("held")[0])
            check(wait_for(lambda: page.door("held")[:2] == [start + frame, True], 120, 0.2),
                  "the stepped sweep did not come to frame %d" % frame)
            pictures.append(page.picture())
        return pictures, page.door("held")[2]
    finally:
        page.close()


def case_culling(build, tools, server):
    """The grid stepped through its sweep, whose circle marks land on the same pixels again
    and again: at frames through the sweep and after it, the page's picture with the GL
    layer's point culling is the picture without it, pixel for pixel, and the culling handed
    fewer vertices to WebGL."""
    sites = SCENES["grid"]
    sweep = int(linux_gl_digest(tools, sites)[2])
    frames = [sweep * n // 6 for n in range(1, 6)] + [sweep + 1]
    culled, handed = held_pictures(server, sites, frames, True)
    every, all_of_them = held_pictures(server, sites, frames, False)
    check(len(set(p.tobytes() for p in every)) == len(frames),
          "the pictures at frames %r are not all different" % frames)
    for frame, a, b in zip(frames, culled, every):
        wrong = ImageChops.difference(a, b).getbbox()
        check(wrong is None, "frame %d: pixels within %r differ with the culling" % (frame, wrong))
    check(handed < all_of_them, "the culling handed over %d vertices, %d without it"
          % (handed, all_of_them))
    print("frames %r the same; %d vertices handed over, %d without culling"
          % (frames, handed, all_of_them))


def contrast_holds(page):
    """The picture as shown is the exact map of the program's, in the legend's colours, each
    at least 3:1 against the black background."""
    picture, shown = page.picture(shown=True)
    check(shown.size == picture.size, "shown at %r" % (shown.size,))
    legend = page.script("return Array.prototype.map.call(document.querySelectorAll("
                         "'#legend li'), function(li) { return [li.dataset.colour, "
                         "getComputedStyle(li.firstChild).backgroundColor]; })")
    mapping = {tuple(map(int, c.split())): tuple(map(int, s[4:-1].split(", ")))
               for c, s in legend}
    check(all(contrast(c) >= 3 for c in mapping.values()), "High contrast colours %r" % mapping)
    wrong = [(p, s) for p, s in zip(picture.getdata(), shown.getdata()) if mapping.get(p, p) != s]
    check(not wrong, "%d pixels not the map of the program's, such as %r" % (len(wrong), wrong[:3]))




CASES = {
    "window": case_window,
    "escape": case_escape,
    "no-webgl": case_no_webgl,
    "gl-digest": case_gl_digest,
    "keyboard": case_keyboard,
    "device": case_device,
    "culling": case_culling,
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
