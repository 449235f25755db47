// Resident memory over a long run: 199 random sites (a fixed seed), the sweep started, and
// then frame after frame for far longer than the sweep itself, the line falling below the
// window all the while, the OpenGL calls going to a sink that does nothing. It reports the
// process's anonymous resident memory (RssAnon) after the first frame, when the sweep has
// finished, and after the last frame. Between the first two it rises by the pages of the
// fixed tables that the sweep writes for the first time (no frame allocates); from the end
// of the sweep on, every table is in use, and the last figure must not exceed the one at the
// end of the sweep (exit status 1).
//
//   memory-bench [frames]      (200,000 when not given)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "winfw/state.h"

namespace {

// A field of /proc/self/status in kB, or -1.
long statusKb(const char* field) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kb = -1;
  const size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr)
    if (std::strncmp(line, field, length) == 0 && line[length] == ':')
      kb = std::strtol(line + length + 1, nullptr, 10);
  std::fclose(status);
  return kb;
}

void report(const char* when, long frames) {
  std::printf("%-28s frame %8ld  line at %12.1f  RssAnon %6ld kB  VmRSS %6ld kB\n", when,
              frames, sweepY, statusKb("RssAnon"), statusKb("VmRSS"));
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 200000;
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (const BenchSite& s : randomBenchScene(199).sites) {
    WfEvent press{WF_MOUSE_PRESS, s.x, BENCH_HEIGHT - s.y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();

  const std::clock_t start = std::clock();
  drawFrame();
  report("after the first frame", 1);
  long swept = -1;
  long n = 1;
  for (; n < frames; ++n) {
    drawFrame();
    if (swept < 0 && sweepY <= 0.0) {
      swept = statusKb("RssAnon");
      report("the sweep has finished", n + 1);
    }
    if ((n + 1) % 50000 == 0) report("", n + 1);
  }
  const long last = statusKb("RssAnon");
  report("after the last frame", n);
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("%ld frames in %.1f s of processor time (%.3f ms a frame); peak VmHWM %ld kB\n", n,
              seconds, 1e3 * seconds / static_cast<double>(n), statusKb("VmHWM"));
  if (swept < 0 || last < 0) {
    std::printf("the sweep did not finish, or /proc/self/status cannot be read\n");
    return 1;
  }
  std::printf("RssAnon since the end of the sweep: %+ld kB: %s\n", last - swept,
              last <= swept ? "ok" : "FAILED, it grew");
  return last <= swept ? 0 : 1;
}
