// The OpenGL 1.1 entry points the program and the framework call, numbered in one order:
// the browser's GL subset reports the calls it receives by these numbers (to a test
// build's observer), and the tests' GL call recorder records them, so that the two fold the
// same call streams into the same digests.
#pragma once

#include <cstdint>

enum class GlCall : uint8_t {
  Begin,
  End,
  Vertex3d,
  Color3d,
  PointSize,
  LineWidth,
  ClearColor,
  ClearIndex,
  Clear,
  DrawBuffer,
  Viewport,
  MatrixMode,
  LoadIdentity,
  Ortho,
};
