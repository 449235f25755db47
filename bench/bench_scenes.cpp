#include "bench/bench_scenes.h"

#include <random>

namespace {
constexpr unsigned SEED = 20240611u;
}  // namespace

BenchScene randomBenchScene(int count) {
  BenchScene scene;
  scene.name = std::to_string(count) + " random";
  // mt19937's sequence is fixed by the standard and the mapping to the range is our own, so
  // every standard library gives the same sites.
  std::mt19937 dice(SEED + static_cast<unsigned>(count));
  for (int i = 0; i < count; ++i) {
    const int x = static_cast<int>(dice() % static_cast<unsigned>(BENCH_WIDTH));
    const int mouseY = static_cast<int>(dice() % static_cast<unsigned>(BENCH_HEIGHT));
    scene.sites.push_back({x, BENCH_HEIGHT - mouseY});
  }
  return scene;
}

BenchScene gridBenchScene() {
  BenchScene scene;
  scene.name = "199 grid";
  for (int k = 0; k < 199; ++k) scene.sites.push_back({40 + 65 * (k % 14), 30 + 48 * (k / 14)});
  return scene;
}
