// The production frame routine against its literal oracle: every scene runs through both
// for a whole sweep and some frames past 0, and every frame's OpenGL stream, buffer swap and
// frame values, and the final state, must be identical. Shards keep each test short so that
// they can run in parallel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sweep/lockstep.h"
#include "tests/sweep/scene_script.h"

namespace {

constexpr int SMALL_SHARDS = 9;
constexpr int NASTY_SHARDS = 2;

void runAll(const std::vector<SceneScript>& scenes, int shard, int shards) {
  int run = 0;
  for (size_t i = static_cast<size_t>(shard); i < scenes.size(); i += static_cast<size_t>(shards)) {
    LockstepResult r = runLockstep(scenes[i]);
    EXPECT_TRUE(r.same) << r.difference;
    EXPECT_GT(r.glCalls, 0) << scenes[i].name;
    ++run;
  }
  EXPECT_GT(run, 0);
}

class SmallRandomScenes : public ::testing::TestWithParam<int> {};
TEST_P(SmallRandomScenes, MatchTheLiteralFrame) {
  runAll(smallRandomScenes(), GetParam(), SMALL_SHARDS);
}
INSTANTIATE_TEST_SUITE_P(Shard, SmallRandomScenes, ::testing::Range(0, SMALL_SHARDS));

class NastyScenes : public ::testing::TestWithParam<int> {};
TEST_P(NastyScenes, MatchTheLiteralFrame) { runAll(nastyScenes(), GetParam(), NASTY_SHARDS); }
INSTANTIATE_TEST_SUITE_P(Shard, NastyScenes, ::testing::Range(0, NASTY_SHARDS));

class LargeScenes : public ::testing::TestWithParam<int> {};
TEST_P(LargeScenes, MatchTheLiteralFrame) {
  const std::vector<SceneScript> scenes = largeScenes();
  ASSERT_LT(static_cast<size_t>(GetParam()), scenes.size());
  LockstepResult r = runLockstep(scenes[static_cast<size_t>(GetParam())]);
  EXPECT_TRUE(r.same) << r.difference;
}
INSTANTIATE_TEST_SUITE_P(Scene, LargeScenes, ::testing::Range(0, 3));

TEST(DifferentialCatalogue, HasEnoughScenesOfEveryKind) {
  EXPECT_GE(smallRandomScenes().size() + nastyScenes().size() + largeScenes().size(), 200u);
  EXPECT_EQ(largeScenes().size(), 3u);
}

TEST(DifferentialHarness, NamesTheFrameAndTheFirstDifferingCall) {
  SceneScript s;
  s.name = "disturbed oracle";
  addSite(&s, 0, 300, 400);
  addSite(&s, 0, 500, 600);
  pressLeft(&s, 0);
  disturbOracle(&s, 12);
  LockstepResult r = runLockstep(s);
  ASSERT_FALSE(r.same);
  // Frame 12 draws site 1 first: clear colour, clear, point size, begin, colour, vertex.
  EXPECT_NE(r.difference.find("frame 12:"), std::string::npos) << r.difference;
  EXPECT_NE(r.difference.find("call 5 is glVertex3d(300, 400, 0)"), std::string::npos)
      << r.difference;
  EXPECT_NE(r.difference.find("glVertex3d(301, 400, 0)"), std::string::npos) << r.difference;
}

}  // namespace
