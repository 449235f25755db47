#include "tests/sweep/scene_script.h"

void addSite(SceneScript* s, int frame, int x, int y) {
  s->actions.push_back({frame, ScriptedAction::AddSite, x, y});
}
void addSiteNearLine(SceneScript* s, int frame, int x, int offset) {
  s->actions.push_back({frame, ScriptedAction::AddSiteNearLine, x, offset});
}
void pressLeft(SceneScript* s, int frame) {
  s->actions.push_back({frame, ScriptedAction::LeftArrow, 0, 0});
}
void pressRight(SceneScript* s, int frame) {
  s->actions.push_back({frame, ScriptedAction::RightArrow, 0, 0});
}

void disturbOracle(SceneScript* s, int frame) {
  s->actions.push_back({frame, ScriptedAction::DisturbOracle, 0, 0});
}

SceneScript randomScene(unsigned seed, int count, int bandTop) {
  SceneDice dice(seed);
  SceneScript s;
  s.name = "random seed " + std::to_string(seed) + " with " + std::to_string(count) + " sites";
  if (dice.upTo(2) == 0) {
    s.windowWidth = 912;
    s.windowHeight = 912;
  }
  const int top = bandTop > 0 && bandTop < s.windowHeight ? bandTop : s.windowHeight;
  // Sites are pressed before the sweep starts, and now and then while it runs.
  const int startFrame = dice.upTo(3);
  for (int i = 0; i < count; ++i) {
    int frame = dice.upTo(5) == 0 ? dice.between(0, 700) : 0;
    addSite(&s, frame, dice.upTo(s.windowWidth), dice.between(1, top));
  }
  pressLeft(&s, startFrame);
  for (int presses = dice.upTo(4); presses > 0; --presses) pressRight(&s, dice.between(0, 900));
  s.framesPastZero = dice.between(1, 6);
  return s;
}
