// The distinct positions among the sites, kept in step with the site table. The frame
// routine's caches are built on them: sites are only ever appended, so the positions change
// only when a press adds a site, and a cache stamped with version() stays valid until then.
#pragma once

#include "app/scene.h"

struct SitePoint {
  int x;
  int y;
  int highestSite;  // the highest site number at this position
};

// Brings the positions in step with sites[1 .. siteCount]: appended sites are added, any
// other change of the table starts them afresh. Cheap when nothing changed.
void updateSitePoints();

// Whether every site lies on a whole pixel within the range the exact caches handle. When
// not (only state set up by hand does that), callers use their plain loops.
bool sitePointsExact();

int sitePointCount();
const SitePoint& sitePoint(int id);  // 0 <= id < sitePointCount()
// The position holding exactly (x, y), or -1.
int findSitePoint(double x, double y);

// Changes whenever the set of positions changes; rebuilds() changes when they were started
// afresh, so that position numbers handed out before mean nothing any more.
unsigned sitePointsVersion();
unsigned sitePointsRebuilds();

// Coordinates up to this magnitude keep every exact product of the caches within 64 bits.
constexpr int EXACT_COORDINATE_LIMIT = 1 << 19;
