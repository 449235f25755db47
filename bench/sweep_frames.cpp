// sweep-frames: runs built-in scenes through the frame routine, without a window, and prints
// how many frames a whole sweep takes and how long they took. The GL calls go to the call
// recorder with storing off, so what is timed is the frame routine itself.
//
//   sweep-frames          every built-in scene
//   sweep-frames N        only the scene with N sites (10, 50 or 199)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/handlers.h"
#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

namespace {

constexpr int SCENE_SIZES[] = {10, 50, 199};
constexpr unsigned SEED = 20240611u;

// Fresh state, the window's client size, `count` presses at random places, the Left arrow.
void setUpScene(int count) {
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  glrec::reset();
  glrec::setStoring(false);
  onReshape(985, 730);
  std::mt19937 dice(SEED + static_cast<unsigned>(count));
  for (int i = 0; i < count; ++i) {
    WfEvent press{WF_MOUSE_PRESS, static_cast<int32_t>(dice() % 985u),
                  static_cast<int32_t>(dice() % 730u), 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
}

void runScene(int count) {
  setUpScene(count);
  using Clock = std::chrono::steady_clock;
  int frames = 0;
  double total = 0.0;
  double longest = 0.0;
  // A whole sweep: every frame until the one whose step takes the line to 0 or below.
  while (sweepY > 0.0) {
    const Clock::time_point start = Clock::now();
    drawFrame();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    ++frames;
    total += ms;
    if (ms > longest) longest = ms;
  }
  std::printf("%3d sites: %5d frames, total %9.1f ms, mean %7.3f ms, max %8.3f ms\n", count,
              frames, total, total / frames, longest);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: sweep-frames [10|50|199]\n");
    return 2;
  }
  const int only = argc == 2 ? std::atoi(argv[1]) : 0;
  bool ran = false;
  for (int count : SCENE_SIZES) {
    if (only != 0 && count != only) continue;
    runScene(count);
    ran = true;
  }
  if (!ran) {
    std::fprintf(stderr, "sweep-frames: no built-in scene with %d sites (10, 50, 199)\n", only);
    return 2;
  }
  return 0;
}
