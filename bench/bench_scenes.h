// The scenes the benchmarks sweep: sites in bottom-up pixels of the program's 985 x 730
// client area, from fixed seeds so that every run sweeps the same scenes.
#pragma once

#include <string>
#include <vector>

struct BenchSite {
  int x;
  int y;
};

struct BenchScene {
  std::string name;
  std::vector<BenchSite> sites;
};

constexpr int BENCH_WIDTH = 985;
constexpr int BENCH_HEIGHT = 730;

// `count` sites uniformly over the client area, as clicks anywhere in it would give.
BenchScene randomBenchScene(int count);
// 199 sites on a regular grid: 14 rows of 14 and a fifteenth row of 3.
BenchScene gridBenchScene();
