// The scenes of the differential test. Random scenes are mostly small; the nasty ones aim at
// the places where an optimised frame routine is most likely to part from the literal one.
#include <string>

#include "tests/sweep/scene_script.h"

namespace {

SceneScript named(const std::string& name, int width = 985, int height = 730) {
  SceneScript s;
  s.name = name;
  s.windowWidth = width;
  s.windowHeight = height;
  return s;
}

void startAt(SceneScript* s, int frame) { pressLeft(s, frame); }

}  // namespace

std::vector<SceneScript> smallRandomScenes() {
  std::vector<SceneScript> scenes;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    // Mostly 3 to 8 sites, some up to 16, a few up to 30; a third of the scenes in the lower
    // half of the window and a third in its lowest fifth.
    const unsigned kind = seed % 10;
    const int count = kind < 6 ? 3 + static_cast<int>(seed * 7 % 6)
                      : kind < 9 ? 9 + static_cast<int>(seed * 5 % 8)
                                 : 17 + static_cast<int>(seed * 3 % 14);
    const int band = seed % 3 == 0 ? 0 : seed % 3 == 1 ? 365 : 146;
    scenes.push_back(randomScene(seed, count, band));
  }
  return scenes;
}

std::vector<SceneScript> nastyScenes() {
  std::vector<SceneScript> scenes;

  {  // The worked example, alone and with a fourth site inside or on its circle.
    SceneScript s = named("worked example");
    addSite(&s, 0, 100, 500);
    addSite(&s, 0, 300, 500);
    addSite(&s, 0, 200, 600);
    startAt(&s, 0);
    scenes.push_back(s);
    SceneScript inside = s;
    inside.name = "worked example with a site inside its circle";
    addSite(&inside, 0, 200, 450);
    scenes.push_back(inside);
    SceneScript on = s;
    on.name = "worked example with a site on its circle";
    addSite(&on, 0, 200, 400);
    pressRight(&on, 0);
    scenes.push_back(on);
  }
  {  // Duplicates: pairs and a triple at one pixel, more duplicates pressed while running.
    SceneScript s = named("duplicate sites");
    for (int k = 0; k < 2; ++k) {
      addSite(&s, 0, 200, 400);
      addSite(&s, 0, 500, 300);
      addSite(&s, 0, 350, 600);
    }
    addSite(&s, 0, 500, 300);
    addSite(&s, 200, 350, 600);
    addSite(&s, 400, 700, 200);
    addSite(&s, 401, 700, 200);
    startAt(&s, 0);
    pressRight(&s, 10);
    s.framesPastZero = 4;
    scenes.push_back(s);
  }
  {  // Coincident pairs forming triangles with a third site: centres at the origin.
    SceneScript s = named("coincident pairs in triangles");
    addSite(&s, 0, 100, 600);
    addSite(&s, 0, 100, 600);
    addSite(&s, 0, 400, 650);
    addSite(&s, 0, 400, 650);
    addSite(&s, 0, 250, 100);
    startAt(&s, 1);
    pressRight(&s, 1);
    scenes.push_back(s);
  }
  {  // Collinear rows, a column and a diagonal.
    SceneScript row = named("collinear row");
    for (int x = 100; x <= 800; x += 100) addSite(&row, 0, x, 500);
    startAt(&row, 0);
    pressRight(&row, 0);
    scenes.push_back(row);
    SceneScript rows = named("two parallel rows");
    for (int x = 150; x <= 750; x += 150) {
      addSite(&rows, 0, x, 600);
      addSite(&rows, 0, x + 75, 300);
    }
    startAt(&rows, 0);
    scenes.push_back(rows);
    SceneScript column = named("column of equal x");
    for (int y = 100; y <= 700; y += 120) addSite(&column, 0, 400, y);
    addSite(&column, 0, 200, 350);
    addSite(&column, 0, 600, 350);
    startAt(&column, 0);
    pressRight(&column, 0);
    scenes.push_back(column);
    SceneScript diagonal = named("diagonal");
    for (int k = 1; k <= 6; ++k) addSite(&diagonal, 0, 100 * k, 100 * k);
    addSite(&diagonal, 0, 600, 100);
    startAt(&diagonal, 0);
    scenes.push_back(diagonal);
  }
  {  // Equal x in several places, so the exchange sort's order among ties matters.
    SceneScript s = named("equal x ties");
    addSite(&s, 0, 300, 200);
    addSite(&s, 0, 300, 500);
    addSite(&s, 0, 500, 400);
    addSite(&s, 0, 300, 650);
    addSite(&s, 0, 500, 100);
    addSite(&s, 0, 700, 400);
    startAt(&s, 0);
    scenes.push_back(s);
  }
  {  // Sites on and within a pixel of the sweep line, at the start and while it runs.
    SceneScript s = named("sites on and near the line", 985, 912);
    addSite(&s, 0, 300, 750);
    addSite(&s, 0, 500, 749);
    addSite(&s, 0, 700, 751);
    addSite(&s, 0, 100, 748);
    startAt(&s, 0);
    for (int f : {40, 41, 130, 260, 261, 262, 500}) {
      addSiteNearLine(&s, f, 100 + f, 0);
      addSiteNearLine(&s, f, 160 + f, 1);
    }
    addSiteNearLine(&s, 300, 450, -1);
    s.framesPastZero = 3;
    scenes.push_back(s);
    SceneScript fractional = named("sites on the line at fractional heights", 985, 912);
    addSite(&fractional, 0, 400, 745);  // slows the line to steps of 0.2 early
    startAt(&fractional, 0);
    for (int f = 10; f <= 600; f += 37) addSiteNearLine(&fractional, f, 50 + f, f % 2);
    scenes.push_back(fractional);
  }
  {  // Near the edges of the grid, and outside the 912 square but inside the window.
    SceneScript s = named("grid edges", 985, 1000);
    for (int x : {0, 1, 2, 910, 911, 912, 913, 984}) addSite(&s, 0, x, 400 + x / 4);
    for (int y : {1, 2, 910, 911, 912, 913, 1000}) addSite(&s, 0, 450 + y / 5, y);
    addSite(&s, 0, 0, 1);
    addSite(&s, 0, 984, 1000);
    startAt(&s, 0);
    pressRight(&s, 0);
    s.framesPastZero = 5;
    scenes.push_back(s);
    SceneScript outside = named("outside the square inside the window", 985, 730);
    for (int x = 913; x <= 984; x += 9) addSite(&outside, 0, x, 100 + (x * 37) % 600);
    addSite(&outside, 0, 850, 350);
    addSite(&outside, 0, 905, 700);
    startAt(&outside, 0);
    scenes.push_back(outside);
  }
  {  // Close sites: arcs narrower than the sample spacing.
    SceneScript s = named("sites a pixel apart");
    for (int k = 0; k < 6; ++k) addSite(&s, 0, 400 + k, 500 + (k % 2));
    addSite(&s, 0, 403, 502);
    startAt(&s, 0);
    scenes.push_back(s);
  }
  {  // Few or no sites; idle frames before the start; presses after the line passed 0.
    SceneScript none = named("no sites");
    startAt(&none, 2);
    scenes.push_back(none);
    SceneScript one = named("one site");
    addSite(&one, 0, 456, 321);
    startAt(&one, 0);
    scenes.push_back(one);
    SceneScript two = named("two sites, idle frames first, a second Left press");
    addSite(&two, 0, 300, 400);
    addSite(&two, 3, 600, 420);
    startAt(&two, 6);
    startAt(&two, 300);
    scenes.push_back(two);
    SceneScript late = named("sites pressed after the line passed 0");
    addSite(&late, 0, 300, 400);
    addSite(&late, 0, 600, 420);
    addSite(&late, 0, 450, 200);
    startAt(&late, 0);
    addSite(&late, 752, 500, 500);
    addSite(&late, 753, 100, 100);
    late.framesPastZero = 8;
    for (int f = 748; f <= 760; ++f) pressRight(&late, f);
    scenes.push_back(late);
  }
  return scenes;
}

std::vector<SceneScript> largeScenes() {
  std::vector<SceneScript> scenes;
  {  // More than 99 active sites near the end: positions from 100 on are never reset.
    SceneScript s = randomScene(9001, 120, 25);
    s.name = "120 random sites low in the window";
    s.framesPastZero = 4;
    scenes.push_back(s);
  }
  {  // A row of 100 sites: 100 beach sites, so the step doubles.
    SceneScript s = named("row of 100 sites");
    for (int k = 0; k < 100; ++k) addSite(&s, 0, 5 + 9 * k, 30);
    addSite(&s, 0, 400, 300);
    startAt(&s, 0);
    pressRight(&s, 0);
    s.framesPastZero = 3;
    scenes.push_back(s);
  }
  // The full table: 199 sites, most of them in the lowest rows of pixels, so that they turn
  // active only near the end and the many beach sites cost the oracle few frames.
  {
    SceneScript s = named("199 sites");
    unsigned state = 199;
    for (int k = 0; k < 199; ++k) {
      state = state * 1103515245u + 12345u;
      const int x = static_cast<int>((state >> 8) % 985);
      addSite(&s, 0, x, k < 9 ? 100 + 70 * k : 1 + k % 2);
    }
    addSite(&s, 400, 500, 500);  // a press beyond the capacity adds nothing
    startAt(&s, 0);
    pressRight(&s, 0);
    s.framesPastZero = 2;
    scenes.push_back(s);
  }
  {  // 199 random sites in the lowest 8 rows, a fifth of them pressed while the line runs,
     // and presses beyond the capacity.
    SceneScript s = randomScene(9002, 199, 8);
    s.name = "199 random sites in the lowest rows";
    for (int f = 700; f <= 745; f += 5) addSite(&s, f, 30 + f, 6);
    scenes.push_back(s);
  }
  {  // 199 sites on a grid of 20 columns in the lowest 10 rows, with three above them.
    SceneScript s = named("grid of 199 sites low in the window");
    for (int k = 0; k < 196; ++k) addSite(&s, 0, 20 + 48 * (k % 20), 2 + k / 20);
    addSite(&s, 0, 300, 400);
    addSite(&s, 0, 700, 200);
    addSite(&s, 0, 505, 100);
    startAt(&s, 0);
    s.framesPastZero = 3;
    scenes.push_back(s);
  }
  {  // 199 sites: pairs and triples at one pixel, low in the window, some pressed late.
    SceneScript s = named("199 sites with duplicates low in the window");
    SceneDice dice(9003);
    while (true) {
      const int x = dice.upTo(985), y = dice.between(1, 15);
      int copies = dice.between(1, 3);
      int added = 0;
      for (const ScriptedAction& a : s.actions) added += a.kind == ScriptedAction::AddSite;
      if (added + copies > 199) break;
      for (; copies > 0; --copies) addSite(&s, dice.upTo(3) == 0 ? dice.between(1, 740) : 0, x, y);
    }
    addSite(&s, 0, 480, 330);
    startAt(&s, 1);
    pressRight(&s, 5);
    scenes.push_back(s);
  }
  return scenes;
}

std::vector<SceneScript> fullScenes() {
  std::vector<SceneScript> scenes;
  {  // Uniformly random over the window, as clicks anywhere give them, and presses beyond the
     // capacity while the line runs.
    SceneScript s = randomScene(9100, 199);
    s.name = "199 random sites over the window";
    for (int f = 100; f <= 600; f += 100) addSite(&s, f, f, 700 - f);
    scenes.push_back(s);
  }
  return scenes;
}
