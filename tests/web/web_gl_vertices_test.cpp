// The vertices the browser's GL subset hands to WebGL, bit for bit: whole sweeps through the
// frame routine and the finished picture after them, every frame's clear, draws and vertex
// array folded into one digest per scene, against the digests of the subset that projected
// and placed each vertex as its call came (recorded from it; its WebAssembly build gave the
// same). The subset is plain C++, so it runs here with the frame routine calling it directly,
// as in the page.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/web/web_gl.h"
#include "platform/web/web_gl_raster.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "sweep/mark_index.h"
#include "tests/support/gl_digest.h"

namespace {

struct VertexCase {
  const char* name;
  BenchScene scene;
  bool delaunay;  // the Right arrow before the sweep: the finished picture has both edges
  uint64_t digest;
};

const VertexCase CASES[] = {
    {"random199", randomBenchScene(199), false, 0xdcdb2e620fe919edull},
    {"grid199", gridBenchScene(), true, 0x806c267620c7f1f4ull},
};

// FNV-1a over 32-bit words: every array handed over is made of them.
uint64_t fold(uint64_t hash, const void* data, size_t size) {
  for (size_t at = 0; at + 4 <= size; at += 4) {
    uint32_t word;
    std::memcpy(&word, static_cast<const char*>(data) + at, 4);
    hash = (hash ^ word) * 1099511628211ull;
  }
  return hash;
}

uint64_t sweepDigest(const VertexCase& c) {
  restoreSceneStartValues();
  activeCount = beachCount = nearLine = 0;
  reindexMarks();
  glPointSize(1.0f);  // an earlier scene's finished picture left its sizes
  glLineWidth(1.0f);
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (const BenchSite& s : c.scene.sites) {
    WfEvent press{WF_MOUSE_PRESS, s.x, BENCH_HEIGHT - s.y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  if (c.delaunay) onRightArrow();
  webGlStartFrame();
  uint64_t hash = 1469598103934665603ull;
  for (int frame = 0, after = 0; after < 2; ++frame) {
    if (frame == 1) onLeftArrow();  // frame 0 shows the sites alone
    drawFrame();
    const WebFrame f = webGlFrame();
    hash = (hash ^ (f.cleared ? 1 : 0)) * 1099511628211ull;
    hash = fold(hash, f.clearColour, sizeof f.clearColour);
    hash = fold(hash, f.draws, f.drawCount * sizeof(WebDraw));
    hash = fold(hash, f.vertices, f.vertexCount * sizeof(WebVertex));
    webGlStartFrame();
    if (sweepY <= 0.0) ++after;  // the frame that ends the sweep, then the finished picture
  }
  return hash;
}

TEST(WebGlVertices, EveryFrameOfWholeSweepsHandsOverTheRecordedVertices) {
  for (const VertexCase& c : CASES) EXPECT_EQ(sweepDigest(c), c.digest) << c.name;
}

// The shortcut for axis-aligned transforms and the branchless point centre put every point
// where the full rows and the odd/even rule put it, also for what the sweeps never give:
// zeros of both signs, halves, subnormal, huge, infinite and NaN coordinates, under glOrtho
// with and without offsets and flips, for an odd and an even size.
TEST(WebGlPointPlacement, AxisAlignedShortcutPlacesPointsAsTheFullRows) {
  const double values[] = {0.0, -0.0, 0.5, -0.5, 1e-310, 3.0 / 256, 484.998046875, 985.0,
                           1e300, -1e300, INFINITY, -INFINITY, NAN};
  const WebTransform transforms[] = {
      webMakeTransform(webTimesOrtho(webIdentity(), 0, 985, 0, 730, -1, 1), webIdentity(),
                       {0, 0, 985, 730}),
      webMakeTransform(webTimesOrtho(webIdentity(), -10.5, 20, 7, -3, -1, 1), webIdentity(),
                       {12, 5, 300, 200})};
  for (const WebTransform& t : transforms) {
    ASSERT_TRUE(t.axisAligned);
    for (double x : values)
      for (double y : values)
        for (double z : {0.0, -0.0, 0.5, -1.0, 2.0, double{NAN}}) {
          const WebWindowPoint full = webAffinePoint(t, x, y, z);
          const WebWindowPoint fast = webAxisAlignedPoint(t, x, y, z);
          ASSERT_EQ(fast.inside, full.inside) << x << " " << y << " " << z;
          for (int size = 1; full.inside && size <= 2; ++size) {
            const auto rule = [size](double v) {
              return size == 1 ? std::floor(v) + 0.5 : std::floor(v + 0.5);
            };
            EXPECT_EQ(gldigest::bitsOf(webPointCentre(fast.x, webPointCentring(size))),
                      gldigest::bitsOf(rule(full.x)));
            EXPECT_EQ(gldigest::bitsOf(webPointCentre(fast.y, webPointCentring(size))),
                      gldigest::bitsOf(rule(full.y)));
          }
        }
  }
}

}  // namespace
