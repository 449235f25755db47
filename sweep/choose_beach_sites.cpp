// The beach sites: the active sites whose position the previous frame's trace left flagged
// as on the beach line. The flags are by position, so a site that became active since may
// inherit another site's flag; that is how the visualiser behaves.
#include "sweep/frame_values.h"
#include "sweep/steps.h"

void chooseBeachSites() {
  beachCount = 0;
  for (int i = 1; i <= activeCount; ++i) {
    if (offBeach[i] == 0) {
      beachCount = beachCount + 1;
      beachSites[beachCount] = activeSites[i];
    }
  }
}
