// xvfb-sweep: the time a whole sweep of the 199 random sites of sweep-bench takes in a real
// window with real OpenGL (under Xvfb, Mesa's software renderer), from the first frame after
// the Left arrow to the frame that takes the line to 0 or below, all of it drawn. The window
// is opened by the framework as the program opens it; the frames are the program's frame
// routine, or the literal reference from the tests.
//
//   xvfb-sweep production|literal
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "sweep/draw_frame.h"
#include "tests/sweep/literal_frame.h"
#include "winfw/winfw.h"

namespace {

using Clock = std::chrono::steady_clock;

bool useLiteral = false;
bool started = false;
bool finished = false;
int frames = 0;
Clock::time_point startTime;

void placeSitesAndStart() {
  for (const BenchSite& s : randomBenchScene(199).sites) {
    if (useLiteral) {
      literal::addSite(s.x, s.y);
    } else {
      WfEvent press{WF_MOUSE_PRESS, s.x, windowHeight - s.y, 0, WF_BUTTON_LEFT};
      onMouseDown(&press);
    }
  }
  if (useLiteral)
    literal::leftArrow();
  else
    onLeftArrow();
  startTime = Clock::now();
  started = true;
}

void timedFrame() {
  if (finished) return;
  if (!started) placeSitesAndStart();
  if (useLiteral)
    literal::frame();
  else
    drawFrame();
  ++frames;
  const double line = useLiteral ? literal::scene.sweepY : sweepY;
  if (line > 0.0) return;
  glFinish();  // everything drawn, not only queued
  const double seconds = std::chrono::duration<double>(Clock::now() - startTime).count();
  std::printf("%s: 199 random sites, %d frames, swept in %.1f s\n",
              useLiteral ? "literal reference" : "frame routine", frames, seconds);
  std::fflush(stdout);
  finished = true;
  wfCloseWindow();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "production") != 0 && std::strcmp(argv[1], "literal") != 0)) {
    std::fprintf(stderr, "usage: xvfb-sweep production|literal\n");
    return 2;
  }
  useLiteral = std::strcmp(argv[1], "literal") == 0;
  literal::restoreStartValues();
  wfSetWindowPosition(0, 0, BENCH_WIDTH, BENCH_HEIGHT);
  wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
  if (wfOpenWindow("xvfb-sweep") == 0) return 1;
  wfSetIdleHandler(timedFrame);
  wfSetReshapeHandler(onReshape);
  wfRunMainLoop(timedFrame);
  return finished ? 0 : 1;
}
