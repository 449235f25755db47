// The two shortcuts of the frame routine against the brute force they stand for, on many
// small random and degenerate configurations: every triple that the empty-circle test passes
// is among the candidate triples, and the lower envelope is exactly that of evaluating every
// parabola at every sample.
#include <algorithm>
#include <set>
#include <tuple>

#include "sweep/candidate_triples.h"
#include "sweep/circle_event_parts.h"
#include "sweep/lower_envelope.h"
#include "sweep/parabola.h"
#include "sweep/site_points.h"
#include "tests/sweep/scene_script.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

class Shortcuts : public FreshSweep {
 protected:
  static void placeConfiguration(unsigned seed);
};

// Sites of one kind of configuration, from a seed.
void Shortcuts::placeConfiguration(unsigned seed) {
  SceneDice dice(seed);
  const int n = dice.between(4, 14);
  switch (seed % 5) {
    case 0:  // a small square of pixels: many collinear and cocircular sites
      for (int k = 0; k < n; ++k) place(dice.between(0, 6) * 10, dice.between(0, 6) * 10);
      break;
    case 1:  // the twelve points of radius 5k, and a few near them
      for (int k = 0; k < n; ++k) {
        const int offsets[12][2] = {{3, 4}, {4, 3}, {5, 0}, {4, -3}, {3, -4}, {0, -5},
                                    {-3, -4}, {-4, -3}, {-5, 0}, {-4, 3}, {-3, 4}, {0, 5}};
        const auto& o = offsets[dice.upTo(12)];
        const int scale = 25;
        place(400 + scale * o[0] + (k % 4 == 3 ? dice.between(-1, 1) : 0),
                          400 + scale * o[1]);
      }
      break;
    case 2:  // nearly collinear: huge circles
      for (int k = 0; k < n; ++k) place(dice.between(0, 900), 300 + dice.between(0, 2));
      break;
    case 3:  // far outside any window
      for (int k = 0; k < n; ++k)
        place(dice.between(-200000, 200000), dice.between(-1000, 1000));
      break;
    default:  // anywhere in the window, some twice
      for (int k = 0; k < n; ++k) {
        const int x = dice.upTo(985), y = dice.between(1, 730);
        place(x, y);
        if (dice.upTo(4) == 0) place(x, y);
      }
      break;
  }
}

TEST_F(Shortcuts, EveryEmptyTripleIsACandidate) {
  int emptyTriples = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SetUp();
    placeConfiguration(seed);
    updateSitePoints();
    int all[SITE_TABLE_SIZE];
    for (int p = 0; p < sitePointCount(); ++p) all[p] = p;
    ASSERT_TRUE(joinCandidatePoints(all, sitePointCount())) << seed;
    std::set<std::tuple<int, int, int>> candidates;
    for (int c = 0; c < candidateCount(); ++c) {
      int p[3] = {candidateAt(c).point[0], candidateAt(c).point[1], candidateAt(c).point[2]};
      std::sort(p, p + 3);
      candidates.insert({p[0], p[1], p[2]});
    }
    const int n = sitePointCount();
    for (int a = 0; a < n; ++a)
      for (int b = 0; b < n; ++b)
        for (int c = 0; c < n; ++c) {
          if (a == b || b == c || a == c) continue;
          const SitePoint &p1 = sitePoint(a), &p2 = sitePoint(b), &p3 = sitePoint(c);
          const CircleCentre centre = circumcentre(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
          if (centre.d1 == 0) continue;
          if (siteInsideCircle(centre, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y)) continue;
          ++emptyTriples;
          int p[3] = {a, b, c};
          std::sort(p, p + 3);
          ASSERT_TRUE(candidates.count({p[0], p[1], p[2]})) << "seed " << seed;
        }
  }
  EXPECT_GT(emptyTriples, 1000);
}

TEST_F(Shortcuts, TheLowerEnvelopeIsThatOfEveryParabola) {
  static int winner[SCAN_SAMPLES];
  static double height[SCAN_SAMPLES];
  const double* x = scanPositions();
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SceneDice dice(seed);
    // A line after some steps of 0.2 and of 1.0, and sites on every side of it: just above
    // (the parabola's denominator close to 0), equal heights, equal x, beyond the scan.
    double line = 750.0;
    for (int k = dice.between(0, 400); k > 0; --k) line = line - (dice.upTo(3) == 0 ? 1.0 : 0.2);
    sweepY = line;
    activeCount = dice.between(1, 40);
    for (int k = 1; k <= activeCount; ++k) {
      const int kind = dice.upTo(6);
      const double above = kind == 0 ? static_cast<int>(line) + 1.0
                         : kind == 1 ? static_cast<int>(line) + dice.between(1, 3)
                                     : static_cast<int>(line) + dice.between(1, 400);
      const double ax = kind == 2 ? dice.between(-2000, 3000)
                        : kind == 3 && k > 1 ? activeSites[k - 1].x
                                             : dice.between(0, 984);
      activeSites[k] = Site{ax, kind == 4 && k > 1 ? activeSites[k - 1].y : above};
      if (!(activeSites[k].y > line)) activeSites[k].y = static_cast<int>(line) + 1.0;
    }
    findLowerEnvelope(winner, height);
    for (int s = 0; s < SCAN_SAMPLES; ++s) {
      double lowest = parabolaHeight(activeSites[1], x[s]);
      int best = 1;
      for (int k = 2; k <= activeCount; ++k) {
        const double h = parabolaHeight(activeSites[k], x[s]);
        if (h < lowest) {
          lowest = h;
          best = k;
        }
      }
      ASSERT_EQ(winner[s], best) << "seed " << seed << ", sample " << s;
      ASSERT_EQ(height[s], lowest) << "seed " << seed << ", sample " << s;
    }
  }
}

}  // namespace
