// The sites strictly above the sweep line, and whether any site is within a pixel of it.
#include "sweep/frame_values.h"
#include "sweep/steps.h"

namespace {

// Whether d truncates to the integer 0. Tested on the range first: once the sweep line has
// fallen very far below the sites, d no longer fits an int and converting it would be
// undefined; such a d is certainly not near 0.
bool truncatesToZero(double d) {
  if (!(d > -2147483648.0 && d < 2147483648.0)) return false;
  int whole = static_cast<int>(d);
  return (whole < 0 ? -whole : whole) < 0.1;
}

}  // namespace

void selectActiveSites() {
  nearLine = 0;
  activeCount = 0;
  for (int i = 1; i <= siteCount; ++i) {
    double d = sites[i].y - sweepY;
    if (truncatesToZero(d)) nearLine = 1;
    if (sites[i].y > sweepY) {
      activeCount = activeCount + 1;
      activeSites[activeCount] = sites[i];
    }
  }
}
