// The vertices the browser's GL subset hands to WebGL, bit for bit: whole sweeps through the
// frame routine and the finished picture after them, every frame's clear, draws and vertex
// array folded into one digest per scene, against the digests of the subset that projected
// and placed each vertex as its call came (recorded from it; its WebAssembly build gave the
// same), with every point handed over. Leaving out a point that repeats the one just before
// it changes the arrays but not the pixels they cover: every scene of the benchmarks'
// catalogue compared both ways. The subset is plain C++, so it runs here with the frame
// routine calling it directly, as in the page.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

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

// Calls `look` with every frame of the scene's whole sweep and the finished picture after it
// (the frame that ends the sweep, then one more), frame 0 showing the sites alone.
template <typename Look>
void sweepFrames(const BenchScene& scene, bool delaunay, bool culling, Look look) {
  webGlSetPointCulling(culling);
  restoreSceneStartValues();
  activeCount = beachCount = nearLine = 0;
  reindexMarks();
  glPointSize(1.0f);  // an earlier scene's finished picture left its sizes
  glLineWidth(1.0f);
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (const BenchSite& s : scene.sites) {
    WfEvent press{WF_MOUSE_PRESS, s.x, BENCH_HEIGHT - s.y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  if (delaunay) onRightArrow();
  webGlStartFrame();
  for (int frame = 0, after = 0; after < 2; ++frame) {
    if (frame == 1) onLeftArrow();
    drawFrame();
    if (sweepY <= 0.0) ++after;
    look(frame, after > 0, webGlFrame());
    webGlStartFrame();
  }
  webGlSetPointCulling(true);
}

// One frame's clear, draws and vertices folded into the hash.
uint64_t foldFrame(uint64_t hash, const WebFrame& f) {
  hash = (hash ^ (f.cleared ? 1 : 0)) * 1099511628211ull;
  hash = fold(hash, f.clearColour, sizeof f.clearColour);
  hash = fold(hash, f.draws, f.drawCount * sizeof(WebDraw));
  return fold(hash, f.vertices, f.vertexCount * sizeof(WebVertex));
}

uint64_t sweepDigest(const VertexCase& c) {
  uint64_t hash = 1469598103934665603ull;
  sweepFrames(c.scene, c.delaunay, false,
              [&](int, bool, const WebFrame& f) { hash = foldFrame(hash, f); });
  return hash;
}

TEST(WebGlVertices, EveryFrameOfWholeSweepsHandsOverTheRecordedVertices) {
  for (const VertexCase& c : CASES) EXPECT_EQ(sweepDigest(c), c.digest) << c.name;
}

// A frame counts as a repeat exactly when it is the last one's bytes (over a sweep and the
// frames after it, where the line goes on down, none; a window not yet swept, drawn again,
// each time), and telling leaves the frame as it was for the page to draw.
TEST(WebGlVertices, OnlyAFrameThatRepeatsTheLastIsTold) {
  uint64_t lastDigest = 0;
  int repeats = 0;
  const auto tell = [&](int frame, const WebFrame& f) {
    const uint64_t digest = foldFrame(1469598103934665603ull, f);
    const bool repeated = webGlFrameRepeatsLast(f);
    EXPECT_EQ(repeated, frame > 0 && digest == lastDigest) << "frame " << frame;
    EXPECT_EQ(foldFrame(1469598103934665603ull, f), digest) << "frame " << frame;
    repeats += repeated;
    lastDigest = digest;
  };
  sweepFrames(CASES[1].scene, true, true,
              [&](int frame, bool, const WebFrame& f) { tell(frame, f); });
  EXPECT_EQ(repeats, 0);
  restoreSceneStartValues();
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (int again = 1; again <= 3; ++again) {
    drawFrame();
    tell(again, webGlFrame());
    webGlStartFrame();
  }
  EXPECT_EQ(repeats, 2);
}

// The pixels a frame covers as WebGL fills them: points as squares of their size about their
// centre; lines, and the triangles of wide lines, by the pixels along their edges (the same
// in both sweeps compared, they need only cover the points they cross).
uint64_t coveredPixels(const WebFrame& f) {
  static std::vector<uint32_t> canvas(BENCH_WIDTH * BENCH_HEIGHT);
  uint32_t colour = 0;
  for (int i = 0; i < 4 && f.cleared; ++i)
    colour |= static_cast<uint32_t>(f.clearColour[i] * 255.0f + 0.5f) << (8 * i);
  std::fill(canvas.begin(), canvas.end(), colour);
  const auto put = [](int x, int y, const WebVertex& v) {
    if (x >= 0 && x < BENCH_WIDTH && y >= 0 && y < BENCH_HEIGHT)
      std::memcpy(&canvas[y * BENCH_WIDTH + x], &v.r, 4);
  };
  const auto edge = [&](const WebVertex& a, const WebVertex& b) {
    const int steps = 1 + static_cast<int>(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y)));
    for (int i = 0; i <= steps; ++i)
      put(static_cast<int>(std::floor(a.x + (b.x - a.x) * i / steps)),
          static_cast<int>(std::floor(a.y + (b.y - a.y) * i / steps)), a);
  };
  for (const WebDraw& d : std::vector<WebDraw>(f.draws, f.draws + f.drawCount)) {
    const WebVertex* v = f.vertices + d.first;
    for (uint32_t i = 0; d.kind == WebDrawKind::Points && i < d.count; ++i)
      for (int dy = 0; dy < v[i].size; ++dy)
        for (int dx = 0; dx < v[i].size; ++dx)
          put(static_cast<int>(v[i].x - v[i].size / 2) + dx,
              static_cast<int>(v[i].y - v[i].size / 2) + dy, v[i]);
    for (uint32_t i = 0; d.kind == WebDrawKind::Lines && i + 1 < d.count; i += 2)
      edge(v[i], v[i + 1]);
    for (uint32_t i = 0; d.kind == WebDrawKind::Triangles && i + 2 < d.count; i += 3)
      for (int k = 0; k < 3; ++k) edge(v[i + k], v[i + (k + 1) % 3]);
  }
  return fold(1469598103934665603ull, canvas.data(), canvas.size() * 4);
}

TEST(WebGlPointCulling, CulledFramesCoverThePixelsOfFramesWithEveryPoint) {
  const std::vector<NamedBenchScene> catalogue = benchCatalogue();
  for (size_t s = 0; s < catalogue.size(); ++s) {
    std::vector<uint64_t> pixels[2];
    size_t vertices[2] = {0, 0};
    for (bool culling : {false, true})
      sweepFrames(catalogue[s].scene, s % 2 == 1, culling,
                  [&](int frame, bool finished, const WebFrame& f) {
                    vertices[culling] += f.vertexCount;
                    if (frame % 3 == 0 || finished) pixels[culling].push_back(coveredPixels(f));
                  });
    ASSERT_EQ(pixels[0].size(), pixels[1].size()) << catalogue[s].name;
    EXPECT_NE(pixels[0].front(), pixels[0].back()) << catalogue[s].name;
    EXPECT_LT(vertices[1], vertices[0]) << catalogue[s].name;  // some were left out
    for (size_t i = 0; i < pixels[0].size(); ++i)
      EXPECT_EQ(pixels[1][i], pixels[0][i]) << catalogue[s].name << ", sample " << i;
  }
}

// The shortcut for axis-aligned transforms and the branchless point centre put every point
// where the full rows and the odd/even rule put it, also for what the sweeps never give:
// zeros of both signs, halves, subnormal, huge, infinite and NaN coordinates, under glOrtho
// with and without offsets and flips, for an odd and an even size.
TEST(WebGlPointPlacement, AxisAlignedShortcutPlacesPointsAsTheFullRows) {
  const double values[] = {0.0, -0.0, 0.5, -0.5, 1e-310, 3.0 / 256, 484.998046875, 985.0,
                           1e300, -1e300, INFINITY, -INFINITY, NAN};
  const GlTransform transforms[] = {
      makeGlTransform(timesOrtho(identityMatrix(), 0, 985, 0, 730, -1, 1), identityMatrix(),
                      {0, 0, 985, 730}),
      makeGlTransform(timesOrtho(identityMatrix(), -10.5, 20, 7, -3, -1, 1), identityMatrix(),
                      {12, 5, 300, 200})};
  for (const GlTransform& t : transforms) {
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
            EXPECT_EQ(gldigest::bitsOf(pointCentre(fast.x, pointCentring(size))),
                      gldigest::bitsOf(rule(full.x)));
            EXPECT_EQ(gldigest::bitsOf(pointCentre(fast.y, pointCentring(size))),
                      gldigest::bitsOf(rule(full.y)));
          }
        }
  }
}

}  // namespace
