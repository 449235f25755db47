// Runs a scene through the production frame routine and the literal oracle in lock step and
// reports the first difference: in a frame's OpenGL stream, its buffer swap, the frame's
// values, or the final state.
//
// A long scene can be checked in pieces of frames that run in parallel: a piece first runs
// the production routine alone up to its first frame, hands its whole state to the oracle,
// and compares from there to its last frame and the state after it. The piece before it
// proved that both routines reach that state, so the pieces together check the whole run.
#pragma once

#include <string>
#include <vector>

#include "tests/sweep/scene_script.h"

struct LockstepResult {
  bool same = true;
  std::string difference;  // where and what, when not the same
  int frames = 0;          // frames run
  long long glCalls = 0;   // calls of the production routine, all frames compared
};

// The whole run.
LockstepResult runLockstep(const SceneScript& scene);
// Frames [firstFrame, endFrame) compared; endFrame past the scene's end runs to its end.
LockstepResult runLockstepFrames(const SceneScript& scene, int firstFrame, int endFrame);

// The first frames of `pieces` pieces of about equal cost to the oracle, from a run of the
// production routine alone: the first is 0, and the last piece runs to the scene's end.
std::vector<int> lockstepPieces(const SceneScript& scene, int pieces);
