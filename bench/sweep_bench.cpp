// The frame routine against its literal reference from the tests, side by side in one run:
// whole sweeps (from the first frame after the Left arrow until the frame that takes the
// line to 0 or below) over fixed scenes, with the OpenGL calls going to a sink that does
// nothing. For every sweep: the total, the median and the slowest frame; at the end a
// table with the ratio of the reference's figures to the frame routine's.
//
// Frame times are the processor time of the benchmark's thread.
//
//   sweep-bench [Google Benchmark flags, e.g. --benchmark_filter=199]
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "bench/bench_scenes.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "tests/sweep/literal_frame.h"
#include "winfw/state.h"

namespace {

struct SweepStats {
  int frames = 0;
  double totalMs = 0.0;
  double medianMs = 0.0;
  double slowestMs = 0.0;
};

// The processor time this thread has used, in milliseconds. Frames are timed by it rather
// than by the wall clock: on a shared machine the wall clock also counts the time other
// processes had the core, which says nothing about the frame routine.
double threadMs() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Times every frame of one sweep. `frame` draws one frame; `lineY` reads the sweep line.
template <typename Frame, typename LineY>
SweepStats timeSweep(Frame frame, LineY lineY) {
  static std::vector<double> frameMs;
  frameMs.clear();
  while (lineY() > 0.0) {
    const double start = threadMs();
    frame();
    frameMs.push_back(threadMs() - start);
  }
  SweepStats stats;
  stats.frames = static_cast<int>(frameMs.size());
  for (double ms : frameMs) {
    stats.totalMs += ms;
    stats.slowestMs = std::max(stats.slowestMs, ms);
  }
  if (!frameMs.empty()) {
    std::nth_element(frameMs.begin(), frameMs.begin() + frameMs.size() / 2, frameMs.end());
    stats.medianMs = frameMs[frameMs.size() / 2];
  }
  return stats;
}

SweepStats sweepProduction(const BenchScene& scene) {
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  onReshape(BENCH_WIDTH, BENCH_HEIGHT);
  for (const BenchSite& s : scene.sites) {
    WfEvent press{WF_MOUSE_PRESS, s.x, BENCH_HEIGHT - s.y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  return timeSweep([] { drawFrame(); }, [] { return sweepY; });
}

SweepStats sweepLiteral(const BenchScene& scene) {
  literal::restoreStartValues();
  for (const BenchSite& s : scene.sites) literal::addSite(s.x, s.y);
  literal::leftArrow();
  return timeSweep([] { literal::frame(); }, [] { return literal::scene.sweepY; });
}

// The sweep of median total out of `repeats`.
template <typename Sweep>
SweepStats medianSweep(Sweep sweep, int repeats) {
  std::vector<SweepStats> runs;
  for (int r = 0; r < repeats; ++r) runs.push_back(sweep());
  std::sort(runs.begin(), runs.end(),
            [](const SweepStats& a, const SweepStats& b) { return a.totalMs < b.totalMs; });
  return runs[runs.size() / 2];
}

std::map<std::string, SweepStats> productionResults;
std::map<std::string, SweepStats> literalResults;

void report(benchmark::State& state, const SweepStats& stats) {
  state.SetIterationTime(stats.totalMs / 1000.0);
  state.counters["frames"] = stats.frames;
  state.counters["median_ms"] = stats.medianMs;
  state.counters["slowest_ms"] = stats.slowestMs;
}

void registerScene(const BenchScene& scene) {
  // The frame routine is cheap enough to sweep a few times and keep the median sweep; the
  // reference's large sweeps take close to a minute and run once.
  const int literalRepeats = scene.sites.size() >= 100 ? 1 : 3;
  benchmark::RegisterBenchmark(("sweep/" + scene.name + "/production").c_str(),
                               [scene](benchmark::State& state) {
                                 for (auto _ : state) {
                                   SweepStats s = medianSweep([&] { return sweepProduction(scene); }, 5);
                                   productionResults[scene.name] = s;
                                   report(state, s);
                                 }
                               })
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("sweep/" + scene.name + "/literal").c_str(),
                               [scene, literalRepeats](benchmark::State& state) {
                                 for (auto _ : state) {
                                   SweepStats s = medianSweep([&] { return sweepLiteral(scene); },
                                                              literalRepeats);
                                   literalResults[scene.name] = s;
                                   report(state, s);
                                 }
                               })
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

void printTable(const std::vector<BenchScene>& scenes) {
  std::printf("\n| scene | frames | literal reference: total, median, slowest frame "
              "| frame routine: total, median, slowest frame | ratio of totals, medians, slowest |\n");
  std::printf("|---|---|---|---|---|\n");
  for (const BenchScene& scene : scenes) {
    auto p = productionResults.find(scene.name);
    auto l = literalResults.find(scene.name);
    if (p == productionResults.end() || l == literalResults.end()) continue;
    const SweepStats& a = l->second;
    const SweepStats& b = p->second;
    std::printf("| %s | %d | %.2f s, %.3f ms, %.2f ms | %.3f s, %.3f ms, %.3f ms | %.1f, %.1f, %.1f |\n",
                scene.name.c_str(), b.frames, a.totalMs / 1000.0, a.medianMs, a.slowestMs,
                b.totalMs / 1000.0, b.medianMs, b.slowestMs, a.totalMs / b.totalMs,
                a.medianMs / b.medianMs, a.slowestMs / b.slowestMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<BenchScene> scenes;
  for (int count : {10, 50, 100, 199}) scenes.push_back(randomBenchScene(count));
  scenes.push_back(gridBenchScene());
  for (const BenchScene& scene : scenes) registerScene(scene);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  printTable(scenes);
  return 0;
}
