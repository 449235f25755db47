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

// The scenes whose every frame the real-GL benchmark times and the pixel tests compare, each
// with a short name: "random" and "grid" above; "row", 199 sites 4 pixels apart on one row;
// "collinear", 199 on a slanted line; "coincident", 199 sites on 40 pixels; "ring", 12
// whole-pixel points of one circle (every three of them one circle event: 220 circles of
// 3,600 dots when the line reaches its bottom; the 60 whole-pixel points of a circle of
// radius 325 would give 34,220); "cluster", 199 random sites in a 40-pixel square.
struct NamedBenchScene {
  const char* name;
  BenchScene scene;
};
std::vector<NamedBenchScene> benchCatalogue();
