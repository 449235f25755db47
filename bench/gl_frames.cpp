// gl-frames: the time of every frame with real OpenGL, in the framework's own window opened
// as the program opens it (under Xvfb: Mesa's software renderer; under Wine: the Windows
// build). Sites are placed and shown for ten frames, as a user sees them placed, the Left
// arrow is pressed, and then every frame of the sweep, from the first after the arrow to the
// one that takes the line to 0 or below, and `finished` frames of the finished picture are
// timed. Each frame's time runs from the previous frame's timestamp to its own, each taken
// after glFinish, so it holds everything the user waits for: the event loop, the
// computation, the drawing and the buffer swap. The frames are the program's frame routine
// or the literal reference from the tests.
//
//   gl-frames routine|literal SCENE [--finished N | --in-all N] [--no-culling]
//
// SCENE: a name of the catalogue in bench_scenes.h (random, grid, row, ...). --finished:
// frames of the finished picture (300 when not given); --in-all: so many frames in all,
// sweep included; --no-culling: the X11 driver draws every point, also those that change no
// pixel. Prints two rows of the real-GL table (tools/bench-gl.sh puts them together); the
// points the driver left out per frame of the sweep (median and most) and the processor
// time of the whole sweep and of the finished picture's frames (user and system, all
// threads); every frame of the sweep over 33.3 ms, by its number; and, where the system
// tells it, the process's anonymous resident memory after the first frame, at the end of the
// sweep and after the last frame.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "bench/frame_times.h"
#include "bench/process_figures.h"
#include "sweep/draw_frame.h"
#include "tests/sweep/literal_frame.h"
#include "winfw/winfw.h"

namespace {

using Clock = std::chrono::steady_clock;

bool useLiteral = false;
bool culling = true;
BenchScene scene;
int finishedFrames = 300;
int framesInAll = 0;  // when not 0, finishedFrames follows from the sweep's length

constexpr int SITES_SHOWN_FRAMES = 10;
int framesBeforeArrow = 0;
bool started = false;
bool swept = false;
Clock::time_point lastTimestamp;
std::vector<double> sweepMs;
std::vector<double> finishedMs;
std::vector<long long> sweepLeftOut;  // points left out in each frame of the sweep
long long leftOutSoFar = 0;
double sweepStartSeconds = 0.0;
double sweepSeconds = 0.0;
double sweptAtSeconds = 0.0;  // processor time at the end of the sweep
long firstFrameKb = -1;
long sweptKb = -1;

double lineHeight() { return useLiteral ? literal::scene.sweepY : sweepY; }

void placeSites() {
  for (const BenchSite& s : scene.sites) {
    if (useLiteral) {
      literal::addSite(s.x, s.y);
    } else {
      WfEvent press{WF_MOUSE_PRESS, s.x, windowHeight - s.y, 0, WF_BUTTON_LEFT};
      onMouseDown(&press);
    }
  }
}

void pressLeftArrow() {
  if (useLiteral)
    literal::leftArrow();
  else
    onLeftArrow();
}

// Everything drawn so far has reached the window: the time from here is the next frame's.
Clock::time_point drawnTimestamp() {
  glFinish();
  return Clock::now();
}

void report() {
  const std::string who = std::string(useLiteral ? "literal reference" : "frame routine") +
                          (culling ? "" : " without culling");
  const std::string sweepRow =
      tableRow(scene.name + ", the sweep, " + who, summariseFrames(sweepMs));
  const std::string finishedRow =
      tableRow(scene.name + ", finished picture, " + who, summariseFrames(finishedMs));
  std::printf("%s\n%s\n", sweepRow.c_str(), finishedRow.c_str());
  std::sort(sweepLeftOut.begin(), sweepLeftOut.end());
  std::printf("%s, %s: processor time of the sweep %.2f s, of the finished picture's frames "
              "%.2f s",
              scene.name.c_str(), who.c_str(), sweepSeconds, processorSeconds() - sweptAtSeconds);
  if (pointsLeftOut() >= 0 && !sweepLeftOut.empty())
    std::printf("; points left out per frame of the sweep: median %lld, most %lld",
                sweepLeftOut[sweepLeftOut.size() / 2], sweepLeftOut.back());
  std::printf("\n");
  // Which frames miss two refreshes, to find them again in a profile.
  for (size_t i = 0; i < sweepMs.size(); ++i)
    if (sweepMs[i] > 33.3)
      std::printf("%s, %s: frame %zu of the sweep took %.1f ms\n", scene.name.c_str(),
                  who.c_str(), i + 1, sweepMs[i]);
  const long lastKb = anonymousResidentKb();
  if (lastKb >= 0)
    std::printf("%s, %s: anonymous resident memory after the first frame %ld kB, at the end of "
                "the sweep %ld kB, after frame %zu %ld kB\n",
                scene.name.c_str(), who.c_str(), firstFrameKb, sweptKb,
                sweepMs.size() + finishedMs.size(), lastKb);
  std::fflush(stdout);
}

void drawOneFrame() {
  if (useLiteral)
    literal::frame();
  else
    drawFrame();
}

void timedFrame() {
  // The sites are shown before the arrow is pressed, as the user places them: the sweep's
  // first frame is not the window's first.
  if (framesBeforeArrow < SITES_SHOWN_FRAMES) {
    if (framesBeforeArrow++ == 0) placeSites();
    drawOneFrame();
    drawnTimestamp();
    return;
  }
  if (!started) {
    pressLeftArrow();
    started = true;
    lastTimestamp = drawnTimestamp();
    leftOutSoFar = pointsLeftOut();
    sweepStartSeconds = processorSeconds();
  }
  if (static_cast<int>(finishedMs.size()) >= finishedFrames) return;
  drawOneFrame();
  const Clock::time_point now = drawnTimestamp();
  const double ms = std::chrono::duration<double, std::milli>(now - lastTimestamp).count();
  lastTimestamp = now;
  (swept ? finishedMs : sweepMs).push_back(ms);
  const long long leftOut = pointsLeftOut();
  if (!swept) sweepLeftOut.push_back(leftOut - leftOutSoFar);
  leftOutSoFar = leftOut;
  if (sweepMs.size() == 1 && !swept) firstFrameKb = anonymousResidentKb();
  if (!swept && lineHeight() <= 0.0) {
    swept = true;
    sweptAtSeconds = processorSeconds();
    sweepSeconds = sweptAtSeconds - sweepStartSeconds;
    sweptKb = anonymousResidentKb();
    if (framesInAll > 0) finishedFrames = framesInAll - static_cast<int>(sweepMs.size());
  }
  if (static_cast<int>(finishedMs.size()) < finishedFrames) return;
  report();
  wfCloseWindow();
}

bool parse(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[argc - 1], "--no-culling") == 0) {
    culling = false;
    --argc;
  }
  if (argc != 3 && argc != 5) return false;
  if (std::strcmp(argv[1], "routine") != 0 && std::strcmp(argv[1], "literal") != 0) return false;
  useLiteral = std::strcmp(argv[1], "literal") == 0;
  bool known = false;
  for (const NamedBenchScene& named : benchCatalogue())
    if (std::strcmp(argv[2], named.name) == 0) {
      scene = named.scene;
      known = true;
    }
  if (!known) return false;
  if (argc == 5 && std::strcmp(argv[3], "--finished") == 0)
    finishedFrames = std::atoi(argv[4]);
  else if (argc == 5 && std::strcmp(argv[3], "--in-all") == 0)
    framesInAll = std::atoi(argv[4]);
  else if (argc == 5)
    return false;
  return finishedFrames >= 1 && framesInAll >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!parse(argc, argv)) {
    std::fprintf(stderr, "usage: gl-frames routine|literal SCENE [--finished N | --in-all N] "
                         "[--no-culling]\nSCENE:");
    for (const NamedBenchScene& named : benchCatalogue()) std::fprintf(stderr, " %s", named.name);
    std::fprintf(stderr, "\n");
    return 2;
  }
  literal::restoreStartValues();
  wfSetWindowPosition(0, 0, BENCH_WIDTH, BENCH_HEIGHT);
  wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
  if (wfOpenWindow("Diagrama Voronogo. Velmarosh k-23") == 0) return 1;
  if (!culling && setPointCulling(false)) return 1;
  wfSetIdleHandler(timedFrame);
  registerInputHandlers();
  wfRunMainLoop(timedFrame);
  return static_cast<int>(finishedMs.size()) >= finishedFrames ? 0 : 1;
}
