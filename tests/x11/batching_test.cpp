// The X11 driver's batching of OpenGL calls draws exactly what immediate mode draws, with
// the points that change no pixel left out and with every point drawn: whole sweeps of every
// scene of the benchmarks' catalogue and two small ones, through the framework's window and
// the frame routine, compared frame by frame on the pixels the X server holds (a digest of
// every sampled frame, the finished picture with and without the Delaunay edges included).
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
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

std::vector<SceneCase> sceneCases() {
  std::vector<SceneCase> cases{
      {"rowOf13", rowOfSites(), 3},
      {"handful", {"handful", {{120, 600}, {500, 650}, {830, 420}, {300, 200}, {610, 90}}}, 3}};
  for (const NamedBenchScene& named : benchCatalogue())
    cases.push_back({named.name, named.scene, std::strcmp(named.name, "grid") == 0 ? 4 : 12});
  return cases;
}

enum class Drawing { Immediate, Batched, BatchedEveryPoint };

uint64_t digest(const std::vector<Rgb>& pixels) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (const Rgb& p : pixels)
    for (uint8_t byte : {p.r, p.g, p.b}) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

class BatchingTest : public XvfbTest {
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

  Window native_ = None;
};

class SceneTest : public BatchingTest, public ::testing::WithParamInterface<SceneCase> {
 protected:
  // Draws the next frame as `drawing` says when it is compared, and otherwise in the
  // program's own way (batched, points left out), which is the quickest: a frame's picture
  // is its own calls' alone, since each starts with the clear.
  static void drawFrameAs(Drawing drawing, bool compared) {
    const bool batching = drawing != Drawing::Immediate || !compared;
    EXPECT_EQ(x11SetGlBatching(batching), batching);
    x11SetGlPointCulling(drawing == Drawing::Batched || !compared);
    drawFrame();
  }

  // The digests of one whole sweep and its finished picture, as the program draws them.
  std::vector<uint64_t> sweep(const SceneCase& c, Drawing drawing) {
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
    drawFrameAs(drawing, true);  // the sites alone
    digests.push_back(frameDigest());
    onLeftArrow();
    for (int frame = 0; sweepY > 0.0 && frame < MAX_FRAMES; ++frame) {
      // A frame lowers the line by 2 pixels at most: the one that takes it to 0 is drawn as
      // compared.
      const bool compared = frame % c.stride == 0 || sweepY <= 3.0;
      drawFrameAs(drawing, compared);
      if (frame % c.stride != 0 && sweepY > 0.0) continue;
      EXPECT_TRUE(compared) << "frame " << frame << " lowered the line by over 3 pixels";
      digests.push_back(frameDigest());
    }
    onRightArrow();  // the Delaunay edges, wide lines
    drawFrameAs(drawing, true);
    digests.push_back(frameDigest());
    return digests;
  }
};

TEST_P(SceneTest, EverySampledFrameHasThePixelsOfImmediateMode) {
  const uint64_t leftOutBefore = x11GlPointsLeftOut();
  const std::vector<uint64_t> batched = sweep(GetParam(), Drawing::Batched);
  EXPECT_GT(x11GlPointsLeftOut(), leftOutBefore);  // the catalogue's scenes all have some
  const std::vector<uint64_t> everyPoint = sweep(GetParam(), Drawing::BatchedEveryPoint);
  const std::vector<uint64_t> immediate = sweep(GetParam(), Drawing::Immediate);
  x11SetGlBatching(true);
  x11SetGlPointCulling(true);
  ASSERT_EQ(batched.size(), immediate.size());
  ASSERT_EQ(everyPoint.size(), immediate.size());
  EXPECT_GT(batched.size(), 3u);
  EXPECT_NE(batched.front(), batched.back());  // the frames show something
  for (size_t i = 0; i < batched.size(); ++i) {
    EXPECT_EQ(batched[i], immediate[i]) << "sample " << i << " of " << batched.size();
    EXPECT_EQ(everyPoint[i], immediate[i]) << "sample " << i << " of " << batched.size();
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneTest, ::testing::ValuesIn(sceneCases()),
                         [](const ::testing::TestParamInfo<SceneCase>& info) {
                           return std::string(info.param.name);
                         });

// Points where GL's rounding decides their pixels: about pixel edges and centres, at them,
// within 1/256 of them and about the ties of its 1/256 grid, in sizes 1 to 7, at the
// viewport's edges and outside it; each place drawn again and again, now and then with a line
// of another colour across it in between.
TEST_F(BatchingTest, PointsWhereRoundingDecidesDrawTheSamePixelsLeftOutOrNot) {
  const double nearEdges[] = {0,          0.5,        1.0 / 512,  -1.0 / 512, 1.0 / 256,
                              -1.0 / 256, 1e-4,       -1e-4,      0.5 - 3e-3, 0.5 + 3e-3,
                              1.0 / 512 + 3e-5, 1.0 / 512 - 3e-5, 0.5 - 1.0 / 512 + 1e-4,
                              0.5 + 1.0 / 512 - 1e-4, -1.0 / 512 - 2e-4, -1.0 / 512 + 2e-4};
  const auto near = [&](std::mt19937& dice, int from, int span) {
    return static_cast<int>(dice() % span) + from + nearEdges[dice() % 16];
  };
  std::vector<uint64_t> frames[2];
  const uint64_t leftOutBefore = x11GlPointsLeftOut();
  for (bool culling : {false, true}) {
    x11SetGlPointCulling(culling);
    onReshape(BENCH_WIDTH, BENCH_HEIGHT);
    std::mt19937 dice(27);
    for (int frame = 0; frame < 4; ++frame) {
      glClear(GL_COLOR_BUFFER_BIT);
      for (int place = 0; place < 4000; ++place) {
        const double x = near(dice, -4, BENCH_WIDTH + 8), y = near(dice, -4, BENCH_HEIGHT + 8);
        glPointSize(static_cast<GLfloat>(1 + dice() % 7));
        for (int again = dice() % 4; again >= 0; --again) {
          const bool across = again == 1 && place % 3 == 0;
          glColor3d(across ? 1.0 : 0.0, 1.0, place % 2);
          glBegin(across ? GL_LINES : GL_POINTS);
          glVertex3d(x + nearEdges[dice() % 16] - (across ? 5 : 0), y + (across ? 2 : 0), 0.0);
          glVertex3d(x, y, 0.0);
          glEnd();
        }
      }
      wfSwapBuffers();
      frames[culling].push_back(frameDigest());
    }
  }
  EXPECT_GT(x11GlPointsLeftOut(), leftOutBefore);
  EXPECT_EQ(frames[1], frames[0]);
}

// A run of points of one colour and size drawn again: left out only while nothing has been
// drawn over it since (a point of another colour on one of its pixels, a line across it), and
// only as far as it repeats the last run of its kind (a part of it, a circle a pixel higher,
// the same circle wider).
TEST_F(BatchingTest, ARunOfPointsDrawnAgainIsLeftOutOnlyWhileNothingIsDrawnOverIt) {
  const auto ring = [](int points, double size, double lift) {
    glColor3d(0, 0, 0);  // a run of its own, as between the program's circles
    glPointSize(static_cast<GLfloat>(size));
    glColor3d(0.1, 0.7, 0.5);
    for (int k = 0; k < points; ++k) {
      glBegin(GL_POINTS);
      glVertex3d(std::floor(300 + 80 * std::cos(k * 0.05)),
                 std::floor(300 + lift + 80 * std::sin(k * 0.05)), 0);
      glEnd();
    }
  };
  const auto over = [](GLenum mode, double x) {  // white, on the ring's first point
    glColor3d(1, 1, 1);
    glBegin(mode);
    glVertex3d(x, 300, 0);
    glVertex3d(400, 300, 0);
    glEnd();
  };
  const std::function<void()> frameOf[] = {
      [&] { ring(120, 2, 0), ring(120, 2, 0), over(GL_POINTS, 380), ring(120, 2, 0); },
      [&] { ring(120, 2, 0), over(GL_LINES, 300), ring(120, 2, 0); },
      [&] { ring(60, 2, 0), ring(120, 2, 0), ring(120, 2, 1); },
      [&] { ring(120, 2, 0), ring(120, 3, 0); }};
  std::vector<uint64_t> frames[2];
  const uint64_t leftOutBefore = x11GlPointsLeftOut();
  for (bool culling : {false, true}) {
    x11SetGlPointCulling(culling);
    onReshape(BENCH_WIDTH, BENCH_HEIGHT);
    for (const auto& draw : frameOf) {
      glClear(GL_COLOR_BUFFER_BIT);
      draw();
      wfSwapBuffers();
      frames[culling].push_back(frameDigest());
    }
  }
  EXPECT_GT(x11GlPointsLeftOut(), leftOutBefore);
  EXPECT_EQ(frames[1], frames[0]);
}

}  // namespace
}  // namespace x11test
