// Whole sweeps of sweep-bench's 199 random sites and 199-site grid in the browser, from the
// first frame after the Left arrow to the frame that takes the line to 0 or below, frame
// after frame without waiting for the display, timed with the page's clock
// (performance.now). Five sweeps time the frame routine with the GL subset collecting its
// calls (what sweep-bench times natively, there with calls that go nowhere); the sweep of
// median total is reported. One more sweep also hands every frame to WebGL (upload and draw
// calls) and times that apart: unpaced, the browser's renderer (SwiftShader here) soon holds
// the hand-over back until it has drawn the frames before, so that figure includes drawing.
// Each scene is swept so with the subset as the program has it, and then with every point
// handed over (no point left out for repeating the pixels of another). Reported on the
// console and as `Module.benchResult`, one row per scene and setting: the scene (0 random,
// 1 grid), whether points were left out, frames, total, median and slowest frame, median and
// slowest hand-over, in milliseconds.
#include <GL/gl.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/web/web_gl.h"
#include "platform/web/web_imports.h"
#include "sweep/draw_frame.h"

namespace {

struct Sweep {
  std::vector<double> frameMs;  // the frame routine with GL submission
  std::vector<double> drawMs;   // the hand-over to WebGL
  double totalMs = 0;
};

double median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

double slowest(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

Sweep sweepOnce(const BenchScene& scene, bool toWebGl) {
  restoreSceneStartValues();
  // The GL subset keeps its state, as GL does: the last sweep's finished picture left wide
  // lines, which would make this sweep's lines quads where the program's are lines.
  glPointSize(1.0f);
  glLineWidth(1.0f);
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (const BenchSite& s : scene.sites) {
    WfEvent press{WF_MOUSE_PRESS, s.x, BENCH_HEIGHT - s.y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  Sweep sweep;
  while (sweepY > 0.0) {
    const double start = emscripten_get_now();
    drawFrame();
    const double computed = emscripten_get_now();
    const WebFrame f = webGlFrame();
    if (toWebGl)
      webjs_draw(0, f.cleared, f.clearColour[0], f.clearColour[1], f.clearColour[2],
                 f.clearColour[3], f.draws, f.drawCount, f.vertices, f.vertexCount);
    webGlStartFrame();
    const double drawn = emscripten_get_now();
    sweep.frameMs.push_back(computed - start);
    sweep.drawMs.push_back(drawn - computed);
    sweep.totalMs += computed - start;
  }
  return sweep;
}

}  // namespace

int main() {
  // The page's canvas and WebGL, as the web driver sets them up for the program.
  if (!webjs_connect()) return 1;
  webjs_create_window("web-sweep-bench", BENCH_WIDTH, BENCH_HEIGHT);
  webjs_show_window(1);
  if (!webjs_create_context()) return 1;

  EM_ASM({ Module.benchRows = []; });
  const BenchScene scenes[] = {randomBenchScene(199), gridBenchScene()};
  for (int scene = 0; scene < 2; ++scene)
    for (bool culling : {true, false}) {
      webGlSetPointCulling(culling);
      std::vector<Sweep> sweeps;
      for (int r = 0; r < 5; ++r) sweeps.push_back(sweepOnce(scenes[scene], false));
      std::sort(sweeps.begin(), sweeps.end(),
                [](const Sweep& a, const Sweep& b) { return a.totalMs < b.totalMs; });
      const Sweep& s = sweeps[sweeps.size() / 2];
      const Sweep drawn = sweepOnce(scenes[scene], true);
      const int frames = static_cast<int>(s.frameMs.size());
      std::printf("%s, %s: %d frames; frame routine + GL submission: total %.3f s, median "
                  "%.3f ms, slowest %.3f ms; WebGL hand-over: median %.3f ms, slowest %.3f ms\n",
                  scenes[scene].name.c_str(),
                  culling ? "a point repeating the one before left out" : "every point",
                  frames, s.totalMs / 1000.0, median(s.frameMs), slowest(s.frameMs),
                  median(drawn.drawMs), slowest(drawn.drawMs));
      EM_ASM({ Module.benchRows.push(Array.prototype.slice.call(arguments)); }, scene, culling,
             frames, s.totalMs, median(s.frameMs), slowest(s.frameMs), median(drawn.drawMs),
             slowest(drawn.drawMs));
    }
  webGlSetPointCulling(true);
  EM_ASM({ Module.benchResult = Module.benchRows; });
  return 0;
}
