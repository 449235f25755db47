// Whole sweeps judged by CGAL: every Voronoi edge the finished picture draws must be an edge
// of the true diagram with the same two ends, no edge may join sites that are no Voronoi
// neighbours, and every Delaunay edge must join sites on a common empty circle. The share of
// the true finite edges that is drawn is printed per kind of scene, with why the others were
// missed, and may not fall below what the frame routine reaches today.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <map>
#include <string>

#include "tests/geometry/clicked_scenes.h"

namespace {

struct Tally {
  int finiteEdges = 0;
  int drawnRight = 0;
  std::map<std::string, int> missedEnds;

  void add(int finite, int drawn, const std::map<std::string, int>& missed) {
    finiteEdges += finite;
    drawnRight += drawn;
    for (const auto& kind : missed) missedEnds[kind.first] += kind.second;
  }
  void add(const Verdict& v) {
    add(v.finiteEdges, static_cast<int>(v.drawnRight.size()), v.missedEnds);
  }
  void add(const Tally& t) { add(t.finiteEdges, t.drawnRight, t.missedEnds); }
  double share() const {
    return finiteEdges == 0 ? 1.0 : static_cast<double>(drawnRight) / finiteEdges;
  }
  void print(const std::string& what) const {
    std::printf("%s: %d of %d finite Voronoi edges drawn (%.1f%%)\n", what.c_str(), drawnRight,
                finiteEdges, 100.0 * share());
    for (const auto& kind : missedEnds)
      std::printf("  ends missed, %s: %d\n", kind.first.c_str(), kind.second);
    std::fflush(stdout);
  }
};

// Over every kind this process ran: all of them when the binary is run by hand.
Tally overall;
class OverallShare : public ::testing::Environment {
  void TearDown() override { overall.print("overall"); }
};
const ::testing::Environment* const overallShare =
    ::testing::AddGlobalTestEnvironment(new OverallShare);

// Judges every scene, expects no wrong and no false edge, and returns the kind's tally.
Tally judgeAll(const std::string& kind, const std::vector<ClickedScene>& scenes,
               std::vector<Verdict>* verdicts = nullptr) {
  Tally tally;
  for (const ClickedScene& scene : scenes) {
    const Verdict v = judgeSweep(scene);
    if (verdicts != nullptr) verdicts->push_back(v);
    for (const std::string& e : v.wrongEdges)
      ADD_FAILURE() << scene.name << ": wrong edge between " << e;
    for (const std::string& e : v.falseEdges)
      ADD_FAILURE() << scene.name << ": false edge between " << e;
    for (const std::string& e : v.falseDelaunay)
      ADD_FAILURE() << scene.name << ": Delaunay edge between " << e
                    << ", which share no empty circle";
    tally.add(v);
  }
  tally.print(kind);
  overall.add(tally);
  return tally;
}

struct SceneKind {
  const char* name;
  std::vector<ClickedScene> (*scenes)();
  double floor;  // the share the frame routine reaches on these scenes
};

const SceneKind KINDS[] = {
    {"rows", rowScenes, 34 / 34.0},
    {"grids", gridScenes, 184 / 184.0},
    {"circles and hexagons", circleScenes, 26 / 27.0},
    {"duplicates and double clicks", duplicateScenes, 22 / 24.0},
    {"random, 3 to 30 sites, seeds 1 to 8", [] { return smallRandomScenes(1, 8); }, 270 / 282.0},
    {"random, 3 to 30 sites, seeds 9 to 16", [] { return smallRandomScenes(9, 8); }, 288 / 300.0},
    {"random, 3 to 30 sites, seeds 17 to 24", [] { return smallRandomScenes(17, 8); }, 226 / 232.0},
    {"random, 3 to 30 sites, seeds 25 to 32", [] { return smallRandomScenes(25, 8); }, 236 / 240.0},
    {"random, 60 sites", [] { return std::vector<ClickedScene>{randomScene(101, 60)}; },
     153 / 159.0},
    {"random, 100 sites", [] { return std::vector<ClickedScene>{randomScene(102, 100)}; },
     269 / 275.0},
    {"random, 150 sites", [] { return std::vector<ClickedScene>{randomScene(103, 150)}; },
     419 / 425.0},
};

class JudgedScenes : public ::testing::TestWithParam<int> {};

TEST_P(JudgedScenes, DrawOnlyTrueEdges) {
  const SceneKind& kind = KINDS[GetParam()];
  const Tally tally = judgeAll(kind.name, kind.scenes());
  EXPECT_GT(tally.finiteEdges, 0);
  EXPECT_GE(tally.share(), kind.floor);
}
INSTANTIATE_TEST_SUITE_P(Kind, JudgedScenes,
                         ::testing::Range(0, static_cast<int>(std::size(KINDS))));

// The two scenes that showed the nudged centres of collinear triples as edges.
TEST(ReportedScenes, DrawOnlyTrueEdgesAndKeepTheShortOne) {
  std::vector<Verdict> verdicts;
  const Tally tally = judgeAll("reported scenes", {sevenClickedSites(), gridOfNine()}, &verdicts);
  // The sites clicked second, at (400, 300), and fifth, at (700, 450).
  EXPECT_EQ(verdicts[0].drawnRight.count({1, 4}), 1u);
  EXPECT_GE(tally.share(), 1.0);
}

}  // namespace
