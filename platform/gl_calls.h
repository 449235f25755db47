// The OpenGL 1.1 entry points the program and the framework call, numbered in one order:
// the browser's GL subset reports the calls it receives by these numbers (to a test
// build's observer), and the tests' GL call recorder records them, so that the two fold the
// same call streams into the same digests.
//
// What both of our GL layers (the X11 driver's batching and the browser's subset) refuse,
// as OpenGL 1.1 refuses it, leaving every state as it was and drawing nothing:
// - between glBegin and glEnd: another glBegin (the open primitive goes on), glPointSize,
//   glLineWidth, glClearColor, glClearIndex, glClear, glDrawBuffer, glViewport,
//   glMatrixMode, glLoadIdentity and glOrtho (glColor3d and glVertex3d are taken there);
// - glEnd without a glBegin, and glVertex3d outside glBegin/glEnd (it draws nothing);
// - glPointSize and glLineWidth of 0 or less; glViewport of a negative width or height and
//   glOrtho of an empty range (which the X11 layer passes on for GL itself to refuse).
// A primitive left open when the frame is drawn is dropped, as is a line's lone last end.
// tests/platform/gl_refusal_cases.h plays the same sequences into both layers.
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
