// The scenes the judged sweep runs: random clicks from fixed seeds, and the patterns people
// click most (rows, grids, circles, a hexagon, double clicks), each clicked before Left.
#pragma once

#include <vector>

#include "tests/geometry/judged_sweep.h"

ClickedScene sevenClickedSites();  // the hand-clicked scene of the collinearity report
ClickedScene gridOfNine();         // 3 x 3 sites, 100 pixels apart

std::vector<ClickedScene> rowScenes();
std::vector<ClickedScene> gridScenes();
std::vector<ClickedScene> circleScenes();
std::vector<ClickedScene> duplicateScenes();
// `count` scenes of 3 to 30 random sites, from the seeds `first` to `first` + `count` - 1.
std::vector<ClickedScene> smallRandomScenes(unsigned first, int count);
ClickedScene randomScene(unsigned seed, int sites);
