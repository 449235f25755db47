"""What the browser tests judge pictures by: dots, colours, lost pixels, contrast, and the
Linux program's own picture for the same clicks."""
import os
import subprocess

from PIL import Image

from chromium_page import HEIGHT, WIDTH, check

RED, BLACK = (255, 0, 0), (0, 0, 0)


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


def vanished(picture, shown):
    """Drawn window pixels that the picture as shown (smaller) leaves black."""
    across, down = WIDTH / shown.width, HEIGHT / shown.height
    return [(x, y) for x, y in ((x, y) for y in range(HEIGHT) for x in range(WIDTH))
            if picture.getpixel((x, y)) != BLACK
            and shown.getpixel((int(x / across), int(y / down))) == BLACK]


def linux_picture(tools, sites, out, name):
    """The Linux program's settled picture for these clicks, Right pressed once done."""
    path = os.path.join(out, name + "-linux.png")
    subprocess.run([os.path.join(tools, "linux-picture"), path, "right"] +
                   [str(v) for s in sites for v in s], check=True, timeout=300)
    return Image.open(path).convert("RGB")


def same_as_linux(web, linux, sites, out, name):
    """Every site's dot pixel for pixel, and at most 0.1% of the window's pixels apart."""
    web.save(os.path.join(out, name + "-web.png"))
    check(linux.size == web.size == (WIDTH, HEIGHT), "sizes %s %s" % (linux.size, web.size))
    for x, y in sites:
        # The dot covers columns x-3..x+3 and rows y-4..y+2 (its centre is half a pixel above
        # the clicked pixel's, as the program's y is the window height less the click's).
        box = (x - 3, y - 4, x + 4, y + 3)
        check(web.crop(box).tobytes() == linux.crop(box).tobytes(),
              "the dot at (%d, %d) differs (pictures in %s)" % (x, y, out))
    a, b = web.tobytes(), linux.tobytes()
    differing = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
    print("%s: %d of %d pixels differ (pictures in %s)" % (name, differing, WIDTH * HEIGHT, out))
    check(differing <= WIDTH * HEIGHT // 1000, "%d pixels differ, more than 0.1%%" % differing)
    check(count(linux, RED, (0, 0, WIDTH, HEIGHT)) >= 20 * len(sites), "nothing drawn")


def contrast(colour):
    """WCAG's contrast ratio of an sRGB colour against black."""
    linear = [c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in colour]
    return (0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2] + 0.05) / 0.05
