#include "winfw/colour_entries.h"

#include <cmath>

#include "pixfmt/pixfmt.h"

BYTE wfColourLevel(float component) {
  // The product of a float and 255 is exact in double, so this is the rounding as written.
  const double scaled = std::trunc(static_cast<double>(component) * 255.0 + 0.5);
  // A NaN or an infinity has no low 8 bits: level 0. (fmod would turn an infinity into a
  // NaN, whose conversion to a byte is undefined.)
  if (!std::isfinite(scaled)) return 0;
  // fmod is exact, so the wrap holds for any magnitude without an out-of-range conversion.
  double low = std::fmod(scaled, 256.0);
  if (low < 0) low += 256.0;
  return static_cast<BYTE>(low);
}

BYTE wfColourEntryFlags(int index, BYTE red, BYTE green, BYTE blue, bool reserveWhite) {
  if (wfUseWholePalette == 0) return 0;
  if (index == 0 || index == 255) return 0;
  if (reserveWhite && red == 255 && green == 255 && blue == 255) {
    return PC_NOCOLLAPSE | PC_RESERVED;
  }
  return PC_NOCOLLAPSE;
}
