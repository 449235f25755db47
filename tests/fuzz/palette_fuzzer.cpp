// The palette code fed arbitrary values: the user's system colours in the registry (values
// of any type, size and content), the colour-map helpers' arguments (floating-point
// components of any bit pattern, indices, ramp sizes, channel bits and shifts), and a
// window opened on a pixel format of any description, whose palette is then built,
// filled, realised on activation and torn down, which reads the registry's colours back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pixfmt/pixfmt.h"
#include "platform/driver.h"
#include "platform/testing.h"
#include "tests/fuzz/fuzz_input.h"
#include "winfw/colour_entries.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

const char colourKey[] = "Control Panel\\Colors";

void resetEverything() {
  wfRestoreInitialState();
  wfRestorePaletteState();
  platformtest::resetHeadless();
  wfForgetWindowClass();
}

// The registry's colour values: mostly under the names the palette code reads, with any
// type, and sizes on both sides of its 64-byte buffer.
void fillRegistry(FuzzInput& in) {
  if (in.u8() & 1) platformtest::createRegistryKey(colourKey);
  static const DWORD types[] = {REG_SZ, REG_SZ, REG_SZ, REG_DWORD, REG_NONE};
  const int values = in.u8() % 8;
  for (int v = 0; v < values; ++v) {
    const uint8_t nameChoice = in.u8();
    std::string name = wfSysColourNames[nameChoice % WF_MAX_SYS_COLOURS];
    if (nameChoice >= 240) name.assign(1 + nameChoice % 8, static_cast<char>(in.u8()));
    const uint8_t typeChoice = in.u8();
    const DWORD type = typeChoice & 0x80 ? in.u32() : types[typeChoice % 5];
    uint8_t data[128];
    const size_t size = in.bytes(data, in.u8() % sizeof data);
    platformtest::setRegistryValue(colourKey, name, type, data, static_cast<DWORD>(size));
  }
  COLORREF colours[WF_MAX_SYS_COLOURS] = {};
  wfReadRegistryColours(colours, static_cast<int8_t>(in.u8()));
}

PIXELFORMATDESCRIPTOR someFormat(FuzzInput& in) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  const uint8_t flags = in.u8();
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (flags & 1) format.dwFlags |= PFD_DOUBLEBUFFER;
  if (flags & 2) format.dwFlags |= PFD_NEED_PALETTE;
  if (flags & 4) format.dwFlags |= PFD_NEED_SYSTEM_PALETTE;
  if (flags & 8) format.dwFlags = in.u32();
  format.iPixelType = (flags & 16) ? PFD_TYPE_COLORINDEX : PFD_TYPE_RGBA;
  format.cColorBits = in.u8();
  format.cRedBits = in.u8();
  format.cRedShift = in.u8();
  format.cGreenBits = in.u8();
  format.cGreenShift = in.u8();
  format.cBlueBits = in.u8();
  format.cBlueShift = in.u8();
  format.cAlphaBits = in.u8();
  format.cDepthBits = in.u8();
  return format;
}

// The helpers on their own, with any arguments.
void helpers(FuzzInput& in) {
  const int calls = in.u8() % 16;
  for (int c = 0; c < calls; ++c) {
    switch (in.u8() % 4) {
      case 0:
        wfColourLevel(in.f32());
        break;
      case 1: {
        const int32_t index = in.i32(), bits = in.i32(), shift = in.i32();
        wfRampComponent(index, bits, shift);
        break;
      }
      case 2: {
        const PIXELFORMATDESCRIPTOR format = someFormat(in);
        wfUseWholePalette = in.u8() & 1;
        PALETTEENTRY entries[256];
        wfFillRgbEntries(&format, entries, in.u16() % 257);
        break;
      }
      case 3: {
        const int32_t index = in.i32();
        const uint8_t red = in.u8(), green = in.u8(), blue = in.u8();
        wfUseWholePalette = in.u8() & 1;
        wfColourEntryFlags(index, red, green, blue, (in.u8() & 1) != 0);
        break;
      }
    }
  }
  wfUseWholePalette = 0;
}

// A window on a format of any description (alone, or ahead of the palette device's usual
// ones), then the colour maps and the palette messages, then its teardown.
void window(FuzzInput& in) {
  const uint8_t setup = in.u8();
  platformtest::setPaletteDevice((setup & 1) != 0);
  std::vector<PIXELFORMATDESCRIPTOR> formats{someFormat(in)};
  if (setup & 2) {
    for (const PIXELFORMATDESCRIPTOR& f : platformtest::paletteDeviceFormats()) formats.push_back(f);
  }
  platformtest::setFormats(formats);
  int32_t mode = WF_DOUBLE;
  if (setup & 4) mode |= WF_INDEX;
  if (setup & 8) mode |= WF_WHOLE_PALETTE;
  if (setup & 16) mode |= WF_DEPTH16;
  if (setup & 32) mode &= ~WF_DOUBLE;
  wfSetDisplayMode(mode);
  wfSetPixelFormatPolicy((setup & 64) ? WF_PF_EXACT : WF_PF_BEST);
  if (setup & 128) {
    // A format asked for by number, which need not exist.
    wfSetPixelFormatPolicy(0);
    wfSetPixelFormatNumber(static_cast<int8_t>(in.u8()));
  }
  if (!wfOpenWindow("palette")) return;

  const int calls = in.u8() % 24;
  for (int c = 0; c < calls && wfWindow != nullptr; ++c) {
    switch (in.u8() % 9) {
      case 0: {
        const int32_t index = in.i16();
        const float red = in.f32(), green = in.f32(), blue = in.f32();
        wfSetOneColour(index, red, green, blue);
        break;
      }
      case 1:
        wfSetGreyRamp();
        break;
      case 2: {
        const int32_t length = static_cast<int8_t>(in.u8()), count = static_cast<int8_t>(in.u8());
        wfSetFogRamp(length, count);
        break;
      }
      case 3:
        wfSetRGBMap(in.i32(), in.i32());
        break;
      case 4:
        wfGetColourMapSize();
        break;
      case 5: {
        const uint8_t how = in.u8();
        platformNotifyActivated(wfWindow, (how & 1) != 0, (how & 2) != 0);
        break;
      }
      case 6:
        wfWindowProcedure(wfWindow, WM_QUERYNEWPALETTE, 0, 0);
        break;
      case 7: {
        // Another application's change, or the window's own.
        const WPARAM changer = (in.u8() & 1) ? reinterpret_cast<WPARAM>(wfWindow) : 0;
        wfWindowProcedure(wfWindow, WM_PALETTECHANGED, changer, 0);
        break;
      }
      case 8:
        wfWindowProcedure(wfWindow, (in.u8() & 1) ? WM_SYSCOLORCHANGE : WM_USER, 0, 0);
        break;
    }
  }
  if (wfWindow != nullptr) DestroyWindow(wfWindow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  resetEverything();
  fillRegistry(in);
  helpers(in);
  window(in);
  // What the platform allocated is given back within the input (see the session target).
  resetEverything();
  return 0;
}
