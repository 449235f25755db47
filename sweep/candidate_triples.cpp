// For a pair of positions a, b every circle through both has its centre on their bisector,
// at a + e/2 + s·perp(e) with e = b - a. The circle through a third position q has
// s(q) = (|w|² - e·w) / (2 e×w), w = q - a; a position q lies inside the circle of parameter s
// by the margin G = 2 e×w (s - s(q)) (in squared distance), which is positive when s > s(q)
// for q left of ab and when s < s(q) for q right of it; a position on the line ab lies inside
// every such circle when it is strictly between a and b. So the left position of least s and
// the right position of greatest s are the most inside of all, and a circle through a, b, c is
// certainly not empty when one of them (or a position between a and b) lies inside it by more
// than the empty-circle test's rounding can hide.
#include "sweep/candidate_triples.h"

#include <cmath>
#include <cstdlib>

#include "sweep/site_points.h"

namespace {

constexpr int CAPACITY = 1 << 16;
CandidateTriple triples[CAPACITY];
int tripleCount = 0;
bool overflowed = false;

bool joined[SITE_TABLE_SIZE];
int joinOrder[SITE_TABLE_SIZE];
int joinedCount = 0;
unsigned builtFor = 0;  // sitePointsRebuilds() the bookkeeping belongs to

// Per position, for the pair being scanned.
int64_t crossOf[SITE_TABLE_SIZE];
double sOf[SITE_TABLE_SIZE];

constexpr double UNIT_ROUNDOFF = 1.0 / 9007199254740992.0;  // 2^-53

// The largest squared-distance margin by which the empty-circle test's rounding (centre,
// differences, squares, sums, square roots) can misjudge a site for a circle of radius r
// through positions of magnitude at most l: about 30 u (r² + r l), taken with room to spare.
double roundingMargin(double r, double l) {
  return 256.0 * UNIT_ROUNDOFF * (r * r + r * l) * 1.01 + 1e-300;
}

struct Witnesses {
  int left = -1;   // the left position of least s
  int right = -1;  // the right position of greatest s
  double between = INFINITY;  // least margin of a position strictly between a and b
};

Witnesses scanPair(const SitePoint& a, const SitePoint& b, int skipA, int skipB) {
  const int64_t ex = b.x - a.x, ey = b.y - a.y;
  const int64_t ee = ex * ex + ey * ey;
  Witnesses w;
  const int n = sitePointCount();
  for (int q = 0; q < n; ++q) {
    if (q == skipA || q == skipB) continue;
    const SitePoint& p = sitePoint(q);
    const int64_t wx = p.x - a.x, wy = p.y - a.y;
    const int64_t cross = ex * wy - ey * wx;
    const int64_t dot = ex * wx + ey * wy;
    const int64_t ww = wx * wx + wy * wy;
    crossOf[q] = cross;
    if (cross == 0) {
      if (dot > 0 && dot < ee) w.between = std::fmin(w.between, static_cast<double>(dot - ww));
      continue;
    }
    // Exact integers below 2^53 in, one rounding out.
    const double s = static_cast<double>(ww - dot) / (2.0 * static_cast<double>(cross));
    sOf[q] = s;
    if (cross > 0 && (w.left < 0 || s < sOf[w.left])) w.left = q;
    if (cross < 0 && (w.right < 0 || s > sOf[w.right])) w.right = q;
  }
  return w;
}

// Whether witness q lies inside the circle of parameter sC by more than margin, allowing
// for the rounding of the two s values and of the product.
bool clearlyInside(int q, double sC, double margin) {
  if (q < 0) return false;
  const double twiceCross = 2.0 * static_cast<double>(crossOf[q]);
  const double g = twiceCross * (sC - sOf[q]);
  const double slack = 4.0 * UNIT_ROUNDOFF * (std::fabs(twiceCross) * (std::fabs(sC) + std::fabs(sOf[q])) + std::fabs(g));
  return g - slack > margin;
}

double magnitude(const SitePoint& p) { return std::fmax(std::abs(p.x), std::abs(p.y)); }

bool mayBeEmpty(const SitePoint& a, const SitePoint& b, int c, const Witnesses& w) {
  const SitePoint& pc = sitePoint(c);
  const double ab2 = static_cast<double>((b.x - a.x) * int64_t{b.x - a.x} + (b.y - a.y) * int64_t{b.y - a.y});
  const double ac2 = static_cast<double>((pc.x - a.x) * int64_t{pc.x - a.x} + (pc.y - a.y) * int64_t{pc.y - a.y});
  const double bc2 = static_cast<double>((pc.x - b.x) * int64_t{pc.x - b.x} + (pc.y - b.y) * int64_t{pc.y - b.y});
  // The circumradius: the product of the sides over twice the doubled area.
  const double r = std::sqrt(ab2 * ac2 * bc2) / (2.0 * std::fabs(static_cast<double>(crossOf[c])));
  const double l = std::fmax(magnitude(a), std::fmax(magnitude(b), magnitude(pc)));
  const double margin = roundingMargin(r, l);
  if (w.between < INFINITY && w.between > margin) return false;
  if (w.left != c && clearlyInside(w.left, sOf[c], margin)) return false;
  if (w.right != c && clearlyInside(w.right, sOf[c], margin)) return false;
  return true;
}

void addTriple(int a, int b, int c) {
  if (tripleCount == CAPACITY) {
    overflowed = true;
    return;
  }
  triples[tripleCount] = CandidateTriple{{a, b, c}, 0, 0, 0};
  tripleCount = tripleCount + 1;
}

// The triples of a with two positions that joined before it, each found once: from the pair
// of a with the earlier of the two.
void join(int a) {
  const SitePoint& pa = sitePoint(a);
  for (int bi = 0; bi < joinedCount; ++bi) {
    const int b = joinOrder[bi];
    const SitePoint& pb = sitePoint(b);
    const Witnesses w = scanPair(pa, pb, a, b);
    for (int ci = bi + 1; ci < joinedCount; ++ci) {
      const int c = joinOrder[ci];
      if (crossOf[c] == 0) continue;  // on the line ab: no circle, never an event
      if (mayBeEmpty(pa, pb, c, w)) addTriple(a, b, c);
    }
  }
  joined[a] = true;
  joinOrder[joinedCount] = a;
  joinedCount = joinedCount + 1;
}

void startAfresh() {
  for (int i = 0; i < joinedCount; ++i) joined[joinOrder[i]] = false;
  joinedCount = 0;
  tripleCount = 0;
  overflowed = false;
  builtFor = sitePointsRebuilds();
}

}  // namespace

bool joinCandidatePoints(const int* points, int count) {
  updateSitePoints();
  if (builtFor != sitePointsRebuilds()) startAfresh();
  if (!sitePointsExact()) return false;
  for (int i = 0; i < count && !overflowed; ++i)
    if (points[i] >= 0 && !joined[points[i]]) join(points[i]);
  return !overflowed;
}

int candidateCount() { return tripleCount; }
CandidateTriple& candidateAt(int i) { return triples[i]; }
