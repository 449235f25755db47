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

namespace {

BenchScene randomInSquare(const std::string& name, int count, int left, int bottom, int side,
                          unsigned seed) {
  BenchScene scene{name, {}};
  std::mt19937 dice(seed);
  for (int i = 0; i < count; ++i) {
    const int x = left + static_cast<int>(dice() % static_cast<unsigned>(side));
    scene.sites.push_back({x, bottom + static_cast<int>(dice() % static_cast<unsigned>(side))});
  }
  return scene;
}

// Twelve whole-pixel points of a circle of radius 325: 65 times those of radius 5.
BenchScene ringScene() {
  BenchScene scene{"12 on a ring", {}};
  const int offsets[12][2] = {{3, 4},   {4, 3},   {5, 0},   {4, -3}, {3, -4},  {0, -5},
                              {-3, -4}, {-4, -3}, {-5, 0},  {-4, 3}, {-3, 4},  {0, 5}};
  for (const auto& o : offsets) scene.sites.push_back({492 + 65 * o[0], 365 + 65 * o[1]});
  return scene;
}

}  // namespace

std::vector<NamedBenchScene> benchCatalogue() {
  BenchScene row{"199 in a row", {}}, slanted{"199 on a slanted line", {}};
  for (int k = 0; k < 199; ++k) {
    row.sites.push_back({95 + 4 * k, 365});
    slanted.sites.push_back({100 + 4 * k, 65 + 3 * k});
  }
  BenchScene coincident = randomInSquare("199 on 40 pixels", 40, 100, 60, 600, SEED);
  for (size_t k = 40; k < 199; ++k) {
    const BenchSite again = coincident.sites[k % 40];
    coincident.sites.push_back(again);
  }
  return {{"random", randomBenchScene(199)},
          {"grid", gridBenchScene()},
          {"row", row},
          {"collinear", slanted},
          {"coincident", coincident},
          {"ring", ringScene()},
          {"cluster", randomInSquare("199 in a cluster", 199, 472, 345, 40, SEED + 1)}};
}
