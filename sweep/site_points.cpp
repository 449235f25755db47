#include "sweep/site_points.h"

#include <cstring>

namespace {

Site knownSites[SITE_TABLE_SIZE];  // the table as last seen, entries 1 .. knownCount
int knownCount = 0;
bool exact = true;

SitePoint points[SITE_TABLE_SIZE];
int pointCount = 0;
unsigned version = 1;
unsigned rebuilds = 1;

// Open addressing on the whole-pixel position; the table is four times the site capacity.
constexpr int SLOTS = 1024;
int slot[SLOTS];  // point id + 1, 0 for empty

unsigned hashOf(int x, int y) {
  return (static_cast<unsigned>(x) * 0x9e3779b1u ^ static_cast<unsigned>(y) * 0x85ebca77u) >> 22;
}

bool wholeAndInRange(double v) {
  return v > -EXACT_COORDINATE_LIMIT && v < EXACT_COORDINATE_LIMIT &&
         v == static_cast<double>(static_cast<int>(v));
}

int lookup(int x, int y) {
  for (unsigned h = hashOf(x, y);; h = (h + 1) % SLOTS) {
    if (slot[h] == 0) return -1;
    const SitePoint& p = points[slot[h] - 1];
    if (p.x == x && p.y == y) return slot[h] - 1;
  }
}

void addSite(int number, const Site& s) {
  if (!wholeAndInRange(s.x) || !wholeAndInRange(s.y)) {
    exact = false;
    return;
  }
  const int x = static_cast<int>(s.x);
  const int y = static_cast<int>(s.y);
  const int found = lookup(x, y);
  if (found >= 0) {
    points[found].highestSite = number;  // sites arrive in number order
    return;
  }
  points[pointCount] = SitePoint{x, y, number};
  unsigned h = hashOf(x, y);
  while (slot[h] != 0) h = (h + 1) % SLOTS;
  slot[h] = pointCount + 1;
  pointCount = pointCount + 1;
  version = version + 1;
}

void startAfresh() {
  knownCount = 0;
  exact = true;
  pointCount = 0;
  std::memset(slot, 0, sizeof slot);
  version = version + 1;
  rebuilds = rebuilds + 1;
}

}  // namespace

void updateSitePoints() {
  const int count = siteCount < 0 ? 0 : siteCount > MAX_SITES ? MAX_SITES : siteCount;
  if (count < knownCount ||
      std::memcmp(&knownSites[1], &sites[1], sizeof(Site) * static_cast<size_t>(knownCount)) != 0)
    startAfresh();
  for (int i = knownCount + 1; i <= count; ++i) {
    knownSites[i] = sites[i];
    addSite(i, sites[i]);
  }
  knownCount = count;
}

bool sitePointsExact() { return exact; }
int sitePointCount() { return pointCount; }
const SitePoint& sitePoint(int id) { return points[id]; }

int findSitePoint(double x, double y) {
  if (!wholeAndInRange(x) || !wholeAndInRange(y)) return -1;
  return lookup(static_cast<int>(x), static_cast<int>(y));
}

unsigned sitePointsVersion() { return version; }
unsigned sitePointsRebuilds() { return rebuilds; }
