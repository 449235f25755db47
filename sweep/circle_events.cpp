// Circle events: circles through three beach sites that hold no site and whose lowest point
// the sweep line has not left more than 7 pixels behind. Each centre is a Voronoi vertex:
// recorded per site pair, marked on the grid and drawn with its circle. They are found in the
// order of the triples of beach positions (i > j > k, i outermost), as trying every triple
// would find them; a lasting event is found and drawn again in every frame.
//
// Only the triples whose circle may be empty (candidate_triples.h) are looked at; each
// ordering's empty-circle verdict is kept until a press adds a site. Where that set is not
// usable, every triple is tried.
#include <algorithm>
#include <cstdint>

#include "sweep/candidate_triples.h"
#include "sweep/circle_event_parts.h"
#include "sweep/frame_values.h"
#include "sweep/site_points.h"
#include "sweep/steps.h"

namespace {

struct Corners {
  int x1, y1, x2, y2, x3, y3;
};

// Site coordinates are whole numbers, so these conversions are exact.
Corners cornersOf(const Site& s1, const Site& s2, const Site& s3) {
  return Corners{static_cast<int>(s1.x), static_cast<int>(s1.y), static_cast<int>(s2.x),
                 static_cast<int>(s2.y), static_cast<int>(s3.x), static_cast<int>(s3.y)};
}

bool isEvent(const CircleCentre& c) { return c.y - c.radius <= sweepY + 7.0; }

void recordAndDraw(const CircleCentre& c, const TripleSites& t) {
  const Site v{c.x, c.y};
  recordEdgeEnd(t.a, t.b, v);
  recordEdgeEnd(t.a, t.c, v);
  recordEdgeEnd(t.b, t.c, v);
  drawVertexDot(v);
  markVertex(v);
  drawEventCircle(v, c.radius);
}

// ---- Every triple --------------------------------------------------------------------------

void tryTriple(const Site& s1, const Site& s2, const Site& s3) {
  const Corners k = cornersOf(s1, s2, s3);
  const CircleCentre c = circumcentre(k.x1, k.y1, k.x2, k.y2, k.x3, k.y3);
  // Three collinear or coincident sites have no circumcircle. The nudged division still gives
  // them a centre, but it lies on none of their bisectors (far away, or the origin), so it is
  // no Voronoi vertex: such a triple is no event, and nothing is tested, recorded or drawn.
  if (c.d1 == 0) return;
  insideFlag = siteInsideCircle(c, k.x1, k.y1, k.x2, k.y2, k.x3, k.y3) ? 1 : 0;
  if (insideFlag == 1 || !isEvent(c)) return;
  recordAndDraw(c, findSiteNumbers(k.x1, k.y1, k.x2, k.y2, k.x3, k.y3));
}

void tryEveryTriple() {
  for (int i = 3; i <= beachCount; ++i)
    for (int j = 2; j <= i - 1; ++j)
      for (int k = 1; k <= j - 1; ++k) tryTriple(beachSites[i], beachSites[j], beachSites[k]);
}

// ---- The candidate triples -----------------------------------------------------------------

// This frame's beach positions of every site position: the lowest, and from each the next.
int pointAt[SITE_TABLE_SIZE];
int firstPosition[SITE_TABLE_SIZE];
int nextPosition[SITE_TABLE_SIZE];

struct Event {
  int order;  // i, j, k packed so that the enumeration order is ascending
  CircleCentre centre;
  TripleSites sites;
};
constexpr int EVENT_CAPACITY = 1 << 14;
Event events[EVENT_CAPACITY];
int eventCount = 0;

// The six orderings of a triple's three points as (first, second, third) of the test.
int orderingOf(int first, int second) { return first * 2 + (second == (first + 1) % 3 ? 0 : 1); }

bool mapBeachToPoints() {
  for (int p = 0; p < sitePointCount(); ++p) firstPosition[p] = 0;
  for (int i = beachCount; i >= 1; --i) {
    const int p = findSitePoint(beachSites[i].x, beachSites[i].y);
    if (p < 0) return false;  // not a site: only state set up by hand does that
    pointAt[i] = p;
    nextPosition[i] = firstPosition[p];
    firstPosition[p] = i;
  }
  return true;
}

bool emptyInOrdering(CandidateTriple& t, int ordering, const CircleCentre& c, const Corners& k) {
  if (t.version != sitePointsVersion()) {
    t.version = sitePointsVersion();
    t.known = 0;
    t.empty = 0;
  }
  const uint8_t bit = static_cast<uint8_t>(1u << ordering);
  if ((t.known & bit) == 0) {
    t.known = static_cast<uint8_t>(t.known | bit);
    if (!siteInsideCircle(c, k.x1, k.y1, k.x2, k.y2, k.x3, k.y3))
      t.empty = static_cast<uint8_t>(t.empty | bit);
  }
  return (t.empty & bit) != 0;
}

// The triple at beach positions p[0], p[1], p[2] (of the candidate's points 0, 1, 2).
bool collectAt(CandidateTriple& t, const int p[3]) {
  int first = 0, third = 0;
  for (int m = 1; m < 3; ++m) {
    if (p[m] > p[first]) first = m;
    if (p[m] < p[third]) third = m;
  }
  const int second = 3 - first - third;
  const int i = p[first], j = p[second], k = p[third];
  const Corners corners = cornersOf(beachSites[i], beachSites[j], beachSites[k]);
  const CircleCentre c =
      circumcentre(corners.x1, corners.y1, corners.x2, corners.y2, corners.x3, corners.y3);
  if (c.d1 == 0) return true;  // collinear: never a candidate, but keep to the rule
  if (!emptyInOrdering(t, orderingOf(first, second), c, corners) || !isEvent(c)) return true;
  if (eventCount == EVENT_CAPACITY) return false;
  const TripleSites numbers{sitePoint(pointAt[i]).highestSite, sitePoint(pointAt[j]).highestSite,
                            sitePoint(pointAt[k]).highestSite};
  events[eventCount] = Event{(i << 16) | (j << 8) | k, c, numbers};
  eventCount = eventCount + 1;
  return true;
}

bool collectEvents() {
  eventCount = 0;
  const int n = candidateCount();
  for (int e = 0; e < n; ++e) {
    CandidateTriple& t = candidateAt(e);
    const int a = firstPosition[t.point[0]], b = firstPosition[t.point[1]],
              c = firstPosition[t.point[2]];
    if (a == 0 || b == 0 || c == 0) continue;
    // A position held by several beach entries (equal sites) takes part once with each.
    for (int pa = a; pa != 0; pa = nextPosition[pa])
      for (int pb = b; pb != 0; pb = nextPosition[pb])
        for (int pc = c; pc != 0; pc = nextPosition[pc]) {
          const int p[3] = {pa, pb, pc};
          if (!collectAt(t, p)) return false;
        }
  }
  std::sort(events, events + eventCount,
            [](const Event& x, const Event& y) { return x.order < y.order; });
  return true;
}

// Trying every triple leaves insideFlag as the last tested triple (the last one that is not
// collinear) left it.
void setInsideFlagOfLastTriple() {
  for (int i = beachCount; i >= 3; --i)
    for (int j = i - 1; j >= 2; --j)
      for (int k = j - 1; k >= 1; --k) {
        const Corners c = cornersOf(beachSites[i], beachSites[j], beachSites[k]);
        // The denominator alone tells the collinear triples, which are skipped.
        const int64_t d1 = (int64_t{c.x3} - c.x1) * (int64_t{c.y1} - c.y2) -
                           (int64_t{c.x2} - c.x1) * (int64_t{c.y1} - c.y3);
        if (d1 == 0) continue;
        const CircleCentre centre = circumcentre(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3);
        insideFlag = siteInsideCircle(centre, c.x1, c.y1, c.x2, c.y2, c.x3, c.y3) ? 1 : 0;
        return;
      }
}

bool tryCandidateTriples() {
  if (!mapBeachToPoints()) return false;
  if (!joinCandidatePoints(&pointAt[1], beachCount)) return false;
  if (!collectEvents()) return false;
  for (int e = 0; e < eventCount; ++e) recordAndDraw(events[e].centre, events[e].sites);
  setInsideFlagOfLastTriple();
  return true;
}

}  // namespace

void findCircleEvents() {
  if (!(sweepY > 0.0)) return;
  if (beachCount < 3) return;
  updateSitePoints();
  if (!sitePointsExact() || !tryCandidateTriples()) tryEveryTriple();
}
