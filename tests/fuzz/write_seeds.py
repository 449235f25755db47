#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (corpus/<target>/) as their decoders read them.

The seeds are committed; run this again only after changing a decoder:
    python3 tests/fuzz/write_seeds.py
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent

# ---- session-fuzzer: one byte per operation, then its arguments ------------------------------
(FRAMES, PRESS_LEFT, RELEASE_LEFT, CLICK, DRAG, MOVE, OTHER_BUTTON, KEYS, LEFT_ARROW,
 RIGHT_ARROW, ESCAPE, RESHAPE, CLICK_BURST, SKIP_SWEEP, EXPOSE, ACTIVATE,
 CLOSE_REQUEST) = range(17)
# Indices into the decoder's tables.
SIDE = {0: 0, 1: 1, 730: 4, 911: 5, 912: 6, 913: 7, 985: 8, 1920: 9, 32767: 11}
SKIP = {8: 0, 64: 1, 300: 2, 760: 3, 1e4: 4, 1e6: 5, 1e9: 6, 1e12: 7}
KEY_LEFT, KEY_RIGHT, KEY_ESCAPE, KEY_UP = 0, 1, 2, 3


def i16(v):
    return struct.pack("<h", v)


def frames(n):  # n idle passes in all, 1..32
    return bytes([FRAMES, n - 1])


def click(x, y):
    return bytes([CLICK]) + i16(x) + i16(y)


def press(x, y):
    return bytes([PRESS_LEFT]) + i16(x) + i16(y)


def release(x, y):
    return bytes([RELEASE_LEFT]) + i16(x) + i16(y)


def drag(x, y, dx4, dy4, steps):
    return bytes([DRAG]) + i16(x) + i16(y) + struct.pack("<bbB", dx4, dy4, steps)


def reshape(width, height, x=0, y=0, minimised=0):
    return bytes([RESHAPE, SIDE[width], SIDE[height]]) + i16(x) + i16(y) + bytes([minimised])


def burst(count, x, y, dx, dy):
    return bytes([CLICK_BURST, count - 1]) + i16(x) + i16(y) + struct.pack("<bb", dx, dy)


def skip(distance):
    return bytes([SKIP_SWEEP, SKIP[distance]])


def keys(key, character, times):
    return bytes([KEYS, key, character, times - 1])



session = {
    # Five sites, the sweep, a skip to below the window, the finished diagram both ways.
    "five-sites-sweep": click(120, 100) + click(400, 300) + click(700, 150) + click(250, 500)
    + click(600, 600) + bytes([LEFT_ARROW]) + frames(32) + skip(300) + frames(8) + skip(760)
    + frames(8) + bytes([RIGHT_ARROW]) + frames(8),
    # The table filled and overfilled by bursts, then the sweep and years of running.
    "capacity-bursts": burst(200, 20, 20, 4, 3) + burst(100, 900, 700, -7, -5)
    + bytes([LEFT_ARROW]) + frames(1) + skip(300) + frames(1) + skip(1e12) + frames(1),
    # Presses, drags and releases outside the window; the smallest and largest sizes.
    "outside-and-reshapes": press(100, 100) + drag(100, 100, -20, -20, 20) + release(-500, -500)
    + click(-5, -5) + click(32767, 32767) + click(-32768, 100) + reshape(0, 0) + click(10, 10)
    + frames(2) + reshape(32767, 32767) + click(30000, 30000) + click(911, 911)
    + bytes([LEFT_ARROW]) + frames(8) + reshape(912, 912) + frames(8) + reshape(1, 1)
    + frames(4) + reshape(985, 730, minimised=1) + frames(4) + reshape(1920, 1920)
    + skip(760) + frames(4),
    # Escape ends the first session; the second starts fresh and ends by a close request.
    "escape-then-fresh": click(300, 300) + click(500, 320) + click(400, 500)
    + bytes([LEFT_ARROW]) + frames(10) + bytes([ESCAPE]) + click(200, 200) + click(260, 240)
    + bytes([LEFT_ARROW]) + frames(10) + bytes([CLOSE_REQUEST]) + frames(4),
    # Key bursts, arrows before and during the sweep, focus and exposure.
    "key-bursts": keys(KEY_LEFT, 0, 16) + keys(KEY_RIGHT, 0, 15) + keys(KEY_UP, ord("a"), 16)
    + bytes([KEYS, 0x80 | 0x41, ord("A"), 3]) + click(100, 200) + click(300, 100) + click(200, 400)
    + bytes([ACTIVATE, 1, EXPOSE]) + frames(8) + keys(KEY_LEFT, 0, 8) + frames(8)
    + bytes([ACTIVATE, 0, ACTIVATE, 3]) + frames(8),
    # Sites on the same pixel and in a row, the sweep far below the window.
    "row-and-doubles": click(100, 400) + click(100, 400) + click(300, 400) + click(500, 400)
    + click(700, 400) + click(700, 400) + bytes([LEFT_ARROW]) + frames(16) + skip(1e4)
    + frames(8) + skip(1e9) + frames(8),
}

# ---- palette-fuzzer ----------------------------------------------------------------------------
REG_SZ_CHOICE, REG_DWORD_CHOICE, REG_NONE_CHOICE = 0, 3, 4


def reg_value(name_index, type_choice, data):
    return bytes([name_index, type_choice, len(data)]) + data


def registry(values, count, key=1):
    return bytes([key, len(values)]) + b"".join(values) + struct.pack("<b", count)


def f32(v):
    return struct.pack("<f", v)


def colour_level(v):
    return bytes([0]) + f32(v)


def ramp(index, bits, shift):
    return bytes([1]) + struct.pack("<iii", index, bits, shift)


def fmt(flags, colour_bits, rbits, rshift, gbits, gshift, bbits, bshift, alpha=0, depth=16):
    return bytes([flags, colour_bits, rbits, rshift, gbits, gshift, bbits, bshift, alpha, depth])


def helpers(calls):
    return bytes([len(calls)]) + b"".join(calls)


NEED_PALETTE, DOUBLE, INDEX = 2, 1, 16
THREE_THREE_TWO = fmt(DOUBLE | NEED_PALETTE, 8, 3, 0, 3, 3, 2, 6)
no_helpers = helpers([])
no_window = bytes([0]) + fmt(0, 0, 0, 0, 0, 0, 0, 0) + bytes([0])


def window(setup, format_bytes, ops):
    return bytes([setup]) + format_bytes + bytes([len(ops)]) + b"".join(ops)


def set_one(index, r, g, b):
    return bytes([0]) + i16(index) + f32(r) + f32(g) + f32(b)


GREY, RGB_MAP, MAP_SIZE = bytes([1]), bytes([3]) + bytes(8), bytes([4])


def fog(length_log2, count_log2):
    return bytes([2]) + struct.pack("<bb", length_log2, count_log2)


def activate(active):
    return bytes([5, 1 if active else 0])


inf, nan = float("inf"), float("nan")
palette = {
    # Colour strings well formed, overlong, unterminated and of the wrong type.
    "registry-values": registry([
        reg_value(0, REG_SZ_CHOICE, b"255 0 128\0"),
        reg_value(1, REG_SZ_CHOICE, b"999 -1 123456789012345678901234567890\0"),
        reg_value(2, REG_DWORD_CHOICE, b"\x10\x20\x30\x00"),
        reg_value(3, REG_SZ_CHOICE, b"7" * 100),
        reg_value(4, REG_SZ_CHOICE, b"1 2"),
        reg_value(5, REG_NONE_CHOICE, b""),
    ], 25) + no_helpers + no_window,
    # Components of every kind, shifts and bits out of range, a 3-3-2 palette filled.
    "helpers-extremes": registry([], 0, key=0) + helpers([
        colour_level(inf), colour_level(-inf), colour_level(nan), colour_level(1e10),
        colour_level(-0.5), colour_level(0.5), colour_level(3.4e38),
        ramp(255, 3, 40), ramp(-1, -1, -1), ramp(2**31 - 1, 2, 31),
        bytes([2]) + THREE_THREE_TWO + bytes([0]) + struct.pack("<H", 256),
        bytes([2]) + fmt(0, 255, 200, 250, 9, 33, 0, 255) + bytes([1]) + struct.pack("<H", 256),
    ]) + no_window,
    # A colour-index window claiming the whole palette: entries of any value, ramps, the
    # RGB decoding, activation and its loss, which gives the registry's colours back.
    "index-window": registry([reg_value(0, REG_SZ_CHOICE, b"1 2 3\0")], 25)
    + no_helpers + window(1 | 2 | 4 | 8 | 16, fmt(INDEX | DOUBLE, 8, 0, 0, 0, 0, 0, 0), [
        MAP_SIZE, set_one(5, inf, -inf, nan), set_one(255, 1.0, 1.0, 1.0), set_one(-1, 0, 0, 0),
        GREY, fog(-1, 40), fog(3, 5), fog(8, 8), RGB_MAP, activate(True), activate(False),
        bytes([6]), bytes([7, 1]), bytes([7, 0]), bytes([8, 1]),
    ]),
    # An RGB window on a 3-3-2 palette device, and one on a format with odd bits and shifts.
    "rgb-window": registry([], 0) + no_helpers + window(1 | 16, THREE_THREE_TWO, [
        activate(True), bytes([6]), activate(False), RGB_MAP]),
    "odd-format-window": registry([], 0) + no_helpers
    + window(1 | 2 | 4, fmt(INDEX | NEED_PALETTE | 4, 4, 9, 200, 1, 7, 3, 250), [
        MAP_SIZE, GREY, fog(2, 2), set_one(15, 0.25, 2.0, -3.0), RGB_MAP, activate(True)]),
}


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


write("session-fuzzer", session)
write("palette-fuzzer", palette)
