// The X11 driver's batching of OpenGL calls draws exactly what immediate mode draws: whole
// sweeps, through the framework's window and the frame routine, with batching and without,
// compared frame by frame on the pixels the X server holds (a digest of every sampled frame,
// the finished picture with and without the Delaunay edges included).
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/x11/x11_gl_batch.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "sweep/mark_index.h"
#include "winfw/winfw.h"

namespace x11test {
namespace {

constexpr char TITLE[] = "batching";
constexpr int MAX_FRAMES = 20000;  // no scene needs so many

struct SceneCase {
  const char* name;
  BenchScene scene;
  int stride;  // every stride-th frame of the sweep is compared
};

BenchScene rowOfSites() {
  BenchScene row{"row", {}};
  for (int x = 60; x < BENCH_WIDTH; x += 70) row.sites.push_back({x, 400});
  return row;
}

const SceneCase CASES[] = {
    {"random199", randomBenchScene(199), 12},
    {"grid199", gridBenchScene(), 4},
    {"row", rowOfSites(), 3},
    {"handful", {"handful", {{120, 600}, {500, 650}, {830, 420}, {300, 200}, {610, 90}}}, 3},
};

uint64_t digest(const std::vector<Rgb>& pixels) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (const Rgb& p : pixels)
    for (uint8_t byte : {p.r, p.g, p.b}) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

class BatchingTest : public XvfbTest, public ::testing::WithParamInterface<SceneCase> {
 protected:
  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    wfSetWindowPosition(0, 0, BENCH_WIDTH, BENCH_HEIGHT);
    wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
    ASSERT_NE(wfOpenWindow(TITLE), 0);
    native_ = waitForWindowByTitle(display_, TITLE, 3000);
    ASSERT_NE(native_, static_cast<Window>(None));
  }

  void TearDown() override {
    wfCloseWindow();
    XvfbTest::TearDown();
  }

  uint64_t frameDigest() {
    std::vector<Rgb> pixels = readPixels(display_, native_, 0, 0, BENCH_WIDTH, BENCH_HEIGHT);
    EXPECT_EQ(pixels.size(), static_cast<size_t>(BENCH_WIDTH * BENCH_HEIGHT));
    return digest(pixels);
  }

  // The digests of one whole sweep and its finished picture, as the program draws them.
  std::vector<uint64_t> sweep(const SceneCase& c, bool batching) {
    EXPECT_EQ(x11SetGlBatching(batching), batching);
    restoreSceneStartValues();
    activeCount = 0;
    beachCount = 0;
    nearLine = 0;
    reindexMarks();
    onReshape(BENCH_WIDTH, BENCH_HEIGHT);
    // The sweep line takes whatever width is current: the last run's finished picture left 2.
    glLineWidth(1.0f);
    for (const BenchSite& s : c.scene.sites) {
      WfEvent press{WF_MOUSE_PRESS, s.x, windowHeight - s.y, 0, WF_BUTTON_LEFT};
      onMouseDown(&press);
    }
    std::vector<uint64_t> digests;
    drawFrame();  // the sites alone
    digests.push_back(frameDigest());
    onLeftArrow();
    for (int frame = 0; sweepY > 0.0 && frame < MAX_FRAMES; ++frame) {
      drawFrame();
      if (frame % c.stride == 0 || sweepY <= 0.0) digests.push_back(frameDigest());
    }
    onRightArrow();  // the Delaunay edges, wide lines
    drawFrame();
    digests.push_back(frameDigest());
    return digests;
  }

  Window native_ = None;
};

TEST_P(BatchingTest, EverySampledFrameHasThePixelsOfImmediateMode) {
  const std::vector<uint64_t> batched = sweep(GetParam(), true);
  const std::vector<uint64_t> immediate = sweep(GetParam(), false);
  x11SetGlBatching(true);
  ASSERT_EQ(batched.size(), immediate.size());
  EXPECT_GT(batched.size(), 3u);
  EXPECT_NE(batched.front(), batched.back());  // the frames show something
  for (size_t i = 0; i < batched.size(); ++i)
    EXPECT_EQ(batched[i], immediate[i]) << "sample " << i << " of " << batched.size();
}

INSTANTIATE_TEST_SUITE_P(Scenes, BatchingTest, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<SceneCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace x11test
