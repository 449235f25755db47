// The production frame routine against its literal oracle: every scene runs through both
// for a whole sweep and some frames past 0, and every frame's OpenGL stream, buffer swap and
// frame values, and the final state, must be identical. Shards keep each test short so that
// they can run in parallel; the scenes of 199 sites over the whole window, which cost the
// oracle most, are checked in pieces of frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sweep/lockstep.h"
#include "tests/sweep/scene_script.h"

namespace {

constexpr int SMALL_SHARDS = 12;
constexpr int NASTY_SHARDS = 12;
constexpr int LARGE_SCENES = 6;
constexpr int FULL_SCENES = 1;
constexpr int PIECES = 8;

std::vector<SceneScript> nastyAndFamilies() {
  std::vector<SceneScript> scenes = nastyScenes();
  for (SceneScript& s : sceneFamilies()) scenes.push_back(s);
  return scenes;
}

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
TEST_P(NastyScenes, MatchTheLiteralFrame) { runAll(nastyAndFamilies(), GetParam(), NASTY_SHARDS); }
INSTANTIATE_TEST_SUITE_P(Shard, NastyScenes, ::testing::Range(0, NASTY_SHARDS));

class LargeScenes : public ::testing::TestWithParam<int> {};
TEST_P(LargeScenes, MatchTheLiteralFrame) {
  const std::vector<SceneScript> scenes = largeScenes();
  ASSERT_LT(static_cast<size_t>(GetParam()), scenes.size());
  LockstepResult r = runLockstep(scenes[static_cast<size_t>(GetParam())]);
  EXPECT_TRUE(r.same) << r.difference;
}
INSTANTIATE_TEST_SUITE_P(Scene, LargeScenes, ::testing::Range(0, LARGE_SCENES));

// Parameter: scene * PIECES + piece.
class FullScenes : public ::testing::TestWithParam<int> {};
TEST_P(FullScenes, MatchTheLiteralFrameInPieces) {
  const SceneScript scene = fullScenes().at(static_cast<size_t>(GetParam() / PIECES));
  const size_t piece = static_cast<size_t>(GetParam() % PIECES);
  const std::vector<int> starts = lockstepPieces(scene, PIECES);
  ASSERT_EQ(starts.size(), static_cast<size_t>(PIECES)) << scene.name;
  const int end = piece + 1 < starts.size() ? starts[piece + 1] : 1 << 30;
  LockstepResult r = runLockstepFrames(scene, starts[piece], end);
  EXPECT_TRUE(r.same) << r.difference;
  EXPECT_GT(r.frames, 0);
}
INSTANTIATE_TEST_SUITE_P(ScenePiece, FullScenes, ::testing::Range(0, FULL_SCENES * PIECES));

TEST(DifferentialCatalogue, HasEnoughScenesOfEveryKind) {
  const size_t total = smallRandomScenes().size() + nastyAndFamilies().size() +
                       largeScenes().size() + fullScenes().size();
  EXPECT_GE(total, 500u);
  EXPECT_EQ(largeScenes().size(), static_cast<size_t>(LARGE_SCENES));
  EXPECT_EQ(fullScenes().size(), static_cast<size_t>(FULL_SCENES));
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

TEST(DifferentialHarness, APieceStartsFromTheHandedOverStateAndStillSeesADifference) {
  SceneScript s;
  s.name = "disturbed oracle, in pieces";
  addSite(&s, 0, 300, 400);
  addSite(&s, 0, 500, 600);
  addSite(&s, 0, 650, 450);
  pressLeft(&s, 0);
  const std::vector<int> starts = lockstepPieces(s, 3);
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(starts[0], 0);
  EXPECT_LT(starts[1], starts[2]);
  // The pieces of the plain scene agree, and the middle one compares frames of its own.
  LockstepResult middle = runLockstepFrames(s, starts[1], starts[2]);
  EXPECT_TRUE(middle.same) << middle.difference;
  EXPECT_EQ(middle.frames, starts[2] - starts[1]);
  // A disturbance of the oracle inside the piece is found in the frame it happens.
  disturbOracle(&s, starts[1] + 3);
  LockstepResult r = runLockstepFrames(s, starts[1], starts[2]);
  ASSERT_FALSE(r.same);
  EXPECT_NE(r.difference.find("frame " + std::to_string(starts[1] + 3) + ":"), std::string::npos)
      << r.difference;
}

}  // namespace
