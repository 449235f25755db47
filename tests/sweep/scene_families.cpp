// Generated scenes aimed at the places where an optimised frame routine is most likely to part
// from the literal one: sites pressed on and just above the sweep line (after steps of 0.2 the
// parabolas' denominators there come close to 0), duplicates, equal x, lattices and
// cocircular sites, windows wider and taller than the scan and the grid, and more sites.
#include <string>

#include "tests/sweep/scene_script.h"

namespace {

SceneScript start(const std::string& kind, unsigned seed, SceneDice* dice) {
  SceneScript s;
  s.name = kind + " " + std::to_string(seed);
  if (dice->upTo(2) == 0) s.windowHeight = 912;
  pressLeft(&s, dice->upTo(3));
  for (int presses = dice->upTo(3); presses > 0; --presses) pressRight(&s, dice->between(0, 900));
  s.framesPastZero = dice->between(1, 4);
  return s;
}

// Most sites before the first frame, some while the sweep runs.
int someFrame(SceneDice* dice) { return dice->upTo(4) == 0 ? dice->between(1, 700) : 0; }

void addInside(SceneScript* s, int frame, int x, int y) {
  if (x >= 0 && x < s->windowWidth && y >= 1 && y <= s->windowHeight) addSite(s, frame, x, y);
}

SceneScript nearTheLine(unsigned seed) {
  SceneDice dice(seed);
  SceneScript s = start("sites pressed on and near the line", seed, &dice);
  for (int k = dice.between(2, 6); k > 0; --k)
    addSite(&s, 0, dice.upTo(s.windowWidth), dice.between(1, s.windowHeight));
  for (int k = dice.between(5, 12); k > 0; --k) {
    const int frame = dice.between(1, 760);
    const int x = dice.upTo(s.windowWidth);
    const int offset = dice.between(-1, 2);
    addSiteNearLine(&s, frame, x, offset);
    if (dice.upTo(5) == 0) addSiteNearLine(&s, frame, x, offset);  // a double click
  }
  return s;
}

SceneScript duplicates(unsigned seed) {
  SceneDice dice(seed);
  SceneScript s = start("duplicate sites", seed, &dice);
  for (int k = dice.between(3, 10); k > 0; --k) {
    const int x = dice.upTo(s.windowWidth), y = dice.between(1, s.windowHeight);
    for (int copies = dice.between(1, 3); copies > 0; --copies) addSite(&s, someFrame(&dice), x, y);
  }
  return s;
}

SceneScript equalX(unsigned seed) {
  SceneDice dice(seed);
  SceneScript s = start("equal x", seed, &dice);
  int columns[4];
  const int columnCount = dice.between(2, 4);
  for (int c = 0; c < columnCount; ++c) columns[c] = dice.upTo(s.windowWidth);
  for (int k = dice.between(5, 16); k > 0; --k)
    addSite(&s, someFrame(&dice), columns[dice.upTo(columnCount)], dice.between(1, s.windowHeight));
  for (int k = dice.upTo(4); k > 0; --k)
    addSite(&s, 0, dice.upTo(s.windowWidth), dice.between(1, s.windowHeight));
  return s;
}

// Grids, rows, slanted lines, cocircular sites (on circles through many whole pixels) and
// mirror images (equally high parabolas).
SceneScript lattice(unsigned seed) {
  SceneDice dice(seed);
  SceneScript s = start("lattice", seed, &dice);
  const int ox = dice.between(20, 400), oy = dice.between(20, 350);
  switch (seed % 5) {
    case 0: {
      const int columns = dice.between(2, 6), rows = dice.between(2, 6);
      const int gx = dice.between(20, 120), gy = dice.upTo(2) == 0 ? gx : dice.between(20, 120);
      for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) addInside(&s, someFrame(&dice), ox + gx * c, oy + gy * r);
      s.name = "grid " + std::to_string(seed);
      break;
    }
    case 1: {
      const int gap = dice.between(5, 60);
      for (int k = dice.between(4, 15); k > 0; --k) addInside(&s, 0, ox + gap * k, oy);
      for (int k = dice.between(1, 3); k > 0; --k)
        addInside(&s, someFrame(&dice), dice.upTo(s.windowWidth), dice.between(1, s.windowHeight));
      s.name = "row " + std::to_string(seed);
      break;
    }
    case 2: {
      const int dx = dice.between(1, 3) * 20, dy = dice.between(-2, 3) * 20;
      const int count = dice.between(4, 10);
      for (int k = 0; k < count; ++k) addInside(&s, someFrame(&dice), ox + dx * k, oy + dy * k + 200);
      addInside(&s, 0, ox + dice.upTo(200), oy + dice.upTo(200));
      s.name = "slanted line " + std::to_string(seed);
      break;
    }
    case 3: {
      // The twelve whole-pixel points of radius 5k about a centre, some of them, and the centre.
      const int k = dice.between(1, 40), cx = dice.between(250, 700), cy = dice.between(250, 500);
      const int offsets[12][2] = {{3, 4}, {4, 3}, {5, 0}, {4, -3}, {3, -4}, {0, -5},
                                  {-3, -4}, {-4, -3}, {-5, 0}, {-4, 3}, {-3, 4}, {0, 5}};
      for (const auto& o : offsets)
        if (dice.upTo(4) != 0) addInside(&s, someFrame(&dice), cx + k * o[0], cy + k * o[1]);
      if (dice.upTo(2) == 0) addInside(&s, 0, cx, cy);
      s.name = "cocircular " + std::to_string(seed);
      break;
    }
    default: {
      const int cx = dice.between(200, 700);
      for (int k = dice.between(2, 6); k > 0; --k) {
        const int dx = dice.between(1, 200), y = dice.between(1, s.windowHeight);
        addInside(&s, someFrame(&dice), cx - dx, y);
        addInside(&s, someFrame(&dice), cx + dx, y);
      }
      s.name = "mirror images " + std::to_string(seed);
      break;
    }
  }
  return s;
}

// Sites beyond the scan (x > 1012) and above the start of the line and the grid.
SceneScript wideWindow(unsigned seed) {
  SceneDice dice(seed);
  SceneScript s = start("wide window", seed, &dice);
  s.windowWidth = dice.between(1100, 1600);
  s.windowHeight = dice.between(913, 1100);
  for (int k = dice.between(5, 20); k > 0; --k)
    addSite(&s, someFrame(&dice), dice.upTo(s.windowWidth), dice.between(1, s.windowHeight));
  return s;
}

}  // namespace

std::vector<SceneScript> sceneFamilies() {
  std::vector<SceneScript> scenes;
  for (unsigned seed = 1; seed <= 68; ++seed) scenes.push_back(nearTheLine(1000 + seed));
  for (unsigned seed = 1; seed <= 30; ++seed) scenes.push_back(duplicates(2000 + seed));
  for (unsigned seed = 1; seed <= 30; ++seed) scenes.push_back(equalX(3000 + seed));
  for (unsigned seed = 1; seed <= 40; ++seed) scenes.push_back(lattice(4000 + seed));
  for (unsigned seed = 1; seed <= 10; ++seed) scenes.push_back(wideWindow(5000 + seed));
  // More sites: 30 to 60, a third of them low in the window.
  for (unsigned seed = 1; seed <= 12; ++seed)
    scenes.push_back(randomScene(6000 + seed, 30 + static_cast<int>(seed * 13 % 31),
                                 seed % 3 == 0 ? 200 : 0));
  return scenes;
}
