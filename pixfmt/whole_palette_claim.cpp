#include "pixfmt/whole_palette_claim.h"

#include "winfw/state.h"

int wfClaimsWholePalette(const PIXELFORMATDESCRIPTOR& format) {
  return ((format.dwFlags & PFD_NEED_SYSTEM_PALETTE) != 0 ||
          (wfDisplayMode & WF_WHOLE_PALETTE) != 0)
             ? 1
             : 0;
}
