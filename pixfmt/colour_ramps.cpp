// Channel values of an RGB pixel format turned into 8-bit levels.
#include "pixfmt/pixfmt.h"

const BYTE wfRamp1Bit[2] = {0, 255};
const BYTE wfRamp2Bit[4] = {0, 116, 191, 255};
const BYTE wfRamp3Bit[8] = {0, 63, 104, 139, 171, 200, 229, 255};

BYTE wfRampComponent(int index, int bits, int shift) {
  // A shift as wide as the index (or wider) leaves nothing of it.
  const unsigned value =
      (shift >= 0 && shift < 32) ? static_cast<unsigned>(index) >> shift : 0u;
  switch (bits) {
    case 1:
      return wfRamp1Bit[value % 2];
    case 2:
      return wfRamp2Bit[value % 4];
    case 3:
      return wfRamp3Bit[value % 8];
    default:
      return static_cast<BYTE>(value & 0xff);
  }
}
