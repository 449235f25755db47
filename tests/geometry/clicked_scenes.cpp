#include "tests/geometry/clicked_scenes.h"

#include <cmath>
#include <random>

using reference::Point;

namespace {

ClickedScene scene(const char* name, std::vector<Point> sites) {
  return ClickedScene{name, std::move(sites)};
}

// Every site once more, right after itself: a double click.
std::vector<Point> doubleClicked(const std::vector<Point>& sites) {
  std::vector<Point> twice;
  for (const Point& s : sites) {
    twice.push_back(s);
    twice.push_back(s);
  }
  return twice;
}

// Whole-pixel points on the circle of radius 325 around (490, 365): 325 squared is a sum of
// two squares in many ways, so these twelve lie exactly on one circle.
const Point CIRCLE_OFFSETS[] = {{325, 0},     {300, 125},  {195, 260},  {80, 315},
                                {-125, 300},  {-253, 204}, {-325, 0},   {-260, -195},
                                {-125, -300}, {36, -323},  {204, -253}, {315, -80}};

// Sites clicked at window pixels (column, row) counted from the top-left of the client area.
ClickedScene clickedAt(const char* name, const std::vector<Point>& pixels) {
  ClickedScene s{name, {}};
  for (const Point& p : pixels) s.sites.push_back({p.x, CLIENT_HEIGHT - p.y});
  return s;
}

}  // namespace

ClickedScene sevenClickedSites() {
  return clickedAt(
      "seven clicked sites",
      {{200, 200}, {400, 300}, {600, 250}, {300, 500}, {700, 450}, {500, 600}, {150, 400}});
}

ClickedScene gridOfNine() {
  std::vector<Point> pixels;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      pixels.push_back({300.0 + 100 * column, 250.0 + 100 * row});
  return clickedAt("3 x 3 grid, 100 px apart", pixels);
}

std::vector<ClickedScene> rowScenes() {
  std::vector<Point> horizontal, vertical, slanted, steep, withOneAbove, twoRows, withTwoAside;
  for (int k = 0; k < 8; ++k) {
    horizontal.push_back({100.0 + 100 * k, 365});
    slanted.push_back({100.0 + 90 * k, 100.0 + 70 * k});
    steep.push_back({300.0 + 20 * k, 60.0 + 90 * k});
  }
  for (int k = 0; k < 7; ++k) {
    vertical.push_back({490, 65.0 + 100 * k});
    withOneAbove.push_back({150.0 + 100 * k, 300});
  }
  withOneAbove.push_back({460, 520});
  for (int k = 0; k < 6; ++k) {
    twoRows.push_back({200.0 + 120 * k, 250});
    twoRows.push_back({200.0 + 120 * k, 450});
  }
  for (int k = 0; k < 10; ++k) withTwoAside.push_back({100.0 + 80 * k, 400});
  withTwoAside.push_back({420, 250});
  withTwoAside.push_back({500, 600});
  return {scene("horizontal row", horizontal),
          scene("vertical row", vertical),
          scene("slanted row", slanted),
          scene("steep row", steep),
          scene("row and one site above", withOneAbove),
          scene("two parallel rows", twoRows),
          scene("row and a site on either side", withTwoAside)};
}

std::vector<ClickedScene> gridScenes() {
  std::vector<Point> small, dense, oblong, nearBottom, triangular, fineTriangular, tilted;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      small.push_back({300.0 + 60 * i, 200.0 + 60 * j});
      tilted.push_back({400.0 + 60 * i - 20 * j, 150.0 + 20 * i + 60 * j});
    }
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j) dense.push_back({350.0 + 45 * i, 250.0 + 45 * j});
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 3; ++j) oblong.push_back({150.0 + 150 * i, 150.0 + 200 * j});
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 3; ++j) nearBottom.push_back({300.0 + 100 * i, 5.0 + 100 * j});
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 5; ++i)
      triangular.push_back({200.0 + 100 * i + 50 * (j % 2), 150.0 + 87 * j});
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i)
      fineTriangular.push_back({300.0 + 40 * i + 20 * (j % 2), 200.0 + 35 * j});
  return {
      scene("4 x 4 grid, 60 px apart", small),      scene("5 x 5 grid, 45 px apart", dense),
      scene("5 x 3 grid of 150 x 200 px", oblong),  scene("grid on the bottom edge", nearBottom),
      scene("triangular grid, 100 px", triangular), scene("triangular grid, 40 px", fineTriangular),
      scene("tilted square grid", tilted)};
}

std::vector<ClickedScene> circleScenes() {
  std::vector<Point> onCircle, rounded, hexagon;
  for (const Point& o : CIRCLE_OFFSETS) onCircle.push_back({490 + o.x, 365 + o.y});
  std::vector<Point> wheel = onCircle;
  wheel.push_back({490, 365});
  const double pi = std::acos(-1.0);
  for (int k = 0; k < 16; ++k)
    rounded.push_back({std::round(490 + 250 * std::cos(2 * pi * k / 16)),
                       std::round(365 + 250 * std::sin(2 * pi * k / 16))});
  for (int k = 0; k < 6; ++k)
    hexagon.push_back({std::round(490 + 150 * std::cos(pi * k / 3)),
                       std::round(365 + 150 * std::sin(pi * k / 3))});
  std::vector<Point> centredHexagon = hexagon;
  centredHexagon.push_back({490, 365});
  return {scene("twelve sites on one circle", onCircle),
          scene("twelve on a circle and its centre", wheel),
          scene("sixteen on a rounded circle", rounded), scene("hexagon", hexagon),
          scene("hexagon with its centre", centredHexagon)};
}

std::vector<ClickedScene> duplicateScenes() {
  std::vector<Point> grid = gridOfNine().sites;
  grid.push_back(grid[4]);
  std::vector<Point> again = randomScene(91, 10).sites;
  again.push_back(again[0]);
  return {
      scene("triangle with a double click", {{300, 300}, {300, 300}, {600, 350}, {450, 600}}),
      scene("every site double clicked", doubleClicked(randomScene(92, 6).sites)),
      scene("first site clicked again last", again),
      scene("grid with its centre clicked twice", grid),
      scene("row with a double click",
            {{200, 400}, {300, 400}, {400, 400}, {400, 400}, {500, 400}, {600, 400}}),
      scene("two sites clicked three times",
            {{400, 400}, {400, 400}, {400, 400}, {600, 300}, {600, 300}, {600, 300}, {500, 550}})};
}

ClickedScene randomScene(unsigned seed, int sites) {
  // mt19937's sequence is fixed by the standard, and the mapping to pixels is our own.
  std::mt19937 dice(seed);
  std::vector<Point> pixels;
  for (int i = 0; i < sites; ++i) {
    const double column = dice() % CLIENT_WIDTH;
    pixels.push_back({column, static_cast<double>(dice() % CLIENT_HEIGHT)});
  }
  ClickedScene s = clickedAt("", pixels);
  s.name = "random seed " + std::to_string(seed) + " with " + std::to_string(sites) + " sites";
  return s;
}

std::vector<ClickedScene> smallRandomScenes(unsigned first, int count) {
  std::vector<ClickedScene> scenes;
  for (unsigned seed = first; seed < first + static_cast<unsigned>(count); ++seed)
    scenes.push_back(randomScene(seed, 3 + static_cast<int>(seed * 11 % 28)));
  return scenes;
}
