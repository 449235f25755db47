// Scenes for running the frame routine and its literal oracle side by side: the sites placed
// before the first frame, and what happens at later frames (presses, arrow keys).
#pragma once

#include <random>
#include <string>
#include <vector>

struct ScriptedAction {
  enum Kind {
    AddSite,           // a left-button press at site (x, y), bottom-up pixels
    AddSiteNearLine,   // a press at (x, integer part of the sweep line + y)
    LeftArrow,
    RightArrow,
    DisturbOracle,     // moves the oracle's site 1 one pixel right: the two must part
  };
  int frame;  // applied just before this frame (0 = before the first)
  Kind kind;
  int x;
  int y;
};

struct SceneScript {
  std::string name;
  int windowWidth = 985;
  int windowHeight = 730;
  std::vector<ScriptedAction> actions;
  // Frames run once the sweep line is at or below 0.
  int framesPastZero = 3;
};

// Builders.
void addSite(SceneScript* s, int frame, int x, int y);
void addSiteNearLine(SceneScript* s, int frame, int x, int offset);
void pressLeft(SceneScript* s, int frame);
void pressRight(SceneScript* s, int frame);
void disturbOracle(SceneScript* s, int frame);

// Dice from a fixed seed, the same on every standard library: mt19937's sequence is fixed by
// the standard, and the mapping to a range is our own.
struct SceneDice {
  std::mt19937 engine;
  explicit SceneDice(unsigned seed) : engine(seed) {}
  int upTo(int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); }  // 0..n-1
  int between(int lo, int hi) { return lo + upTo(hi - lo + 1); }
};

// A random scene from a fixed seed: `count` sites uniformly in the window, or with y from 1
// to bandTop when that is given; about one in five pressed while the sweep runs; the sweep
// started within the first frames; and a few Right arrow presses.
SceneScript randomScene(unsigned seed, int count, int bandTop = 0);

// The scene catalogue used by the differential test.
std::vector<SceneScript> smallRandomScenes();   // many, 3 to 30 sites
std::vector<SceneScript> nastyScenes();         // made by hand: duplicates, rows, line cases...
std::vector<SceneScript> sceneFamilies();       // generated nasty ones, see scene_families.cpp
std::vector<SceneScript> largeScenes();         // 100 to 199 sites, most of them low
std::vector<SceneScript> fullScenes();          // 199 random sites over the whole window
