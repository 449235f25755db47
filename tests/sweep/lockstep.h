// Runs a scene through the production frame routine and the literal oracle in lock step and
// reports the first difference: in a frame's OpenGL stream, its buffer swap, the frame's
// values, or the final state.
#pragma once

#include <string>

#include "tests/sweep/scene_script.h"

struct LockstepResult {
  bool same = true;
  std::string difference;  // where and what, when not the same
  int frames = 0;          // frames run
  long long glCalls = 0;   // calls of the production routine, all frames
};

LockstepResult runLockstep(const SceneScript& scene);
