// The vertices the browser's GL subset hands to WebGL, bit for bit: whole sweeps through the
// frame routine and the finished picture after them, every frame's clear, draws and vertex
// array folded into one digest per scene, against the digests of the subset that projected
// and placed each vertex as its call came (recorded from it; its WebAssembly build gave the
// same). The subset is plain C++, so it runs here with the frame routine calling it directly,
// as in the page.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/web/web_gl.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "sweep/mark_index.h"

namespace {

struct VertexCase {
  const char* name;
  BenchScene scene;
  bool delaunay;  // the Right arrow before the sweep: the finished picture has both edges
  uint64_t vertices;
  uint64_t digest;
};

const VertexCase CASES[] = {
    {"random199", randomBenchScene(199), false, 86063948, 0xdcdb2e620fe919edull},
    {"grid199", gridBenchScene(), true, 64518060, 0x806c267620c7f1f4ull},
};

void PrintTo(const VertexCase& c, std::ostream* os) { *os << c.name; }

// FNV-1a over 32-bit words: every array handed over is made of them.
uint64_t fold(uint64_t hash, const void* data, size_t size) {
  for (size_t at = 0; at + 4 <= size; at += 4) {
    uint32_t word;
    std::memcpy(&word, static_cast<const char*>(data) + at, 4);
    hash = (hash ^ word) * 1099511628211ull;
  }
  return hash;
}

class WebGlVertices : public ::testing::TestWithParam<VertexCase> {};

TEST_P(WebGlVertices, EveryFrameHandsOverTheRecordedVertices) {
  const VertexCase& c = GetParam();
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
  uint64_t hash = 1469598103934665603ull, vertices = 0;
  for (int frame = 0, after = 0; after < 2; ++frame) {
    if (frame == 1) onLeftArrow();  // frame 0 shows the sites alone
    drawFrame();
    const WebFrame f = webGlFrame();
    hash = (hash ^ (f.cleared ? 1 : 0)) * 1099511628211ull;
    hash = fold(hash, f.clearColour, sizeof f.clearColour);
    hash = fold(hash, f.draws, f.drawCount * sizeof(WebDraw));
    hash = fold(hash, f.vertices, f.vertexCount * sizeof(WebVertex));
    vertices += f.vertexCount;
    webGlStartFrame();
    if (sweepY <= 0.0) ++after;  // the frame that ends the sweep, then the finished picture
  }
  EXPECT_EQ(vertices, c.vertices);
  EXPECT_EQ(hash, c.digest) << std::hex << hash;
}

INSTANTIATE_TEST_SUITE_P(Scenes, WebGlVertices, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<VertexCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
