// The OpenGL 1.1 subset the program calls, for the browser, where there is no desktop GL:
// immediate-mode calls are collected in order into one vertex array per frame and drawn
// with WebGL at the buffer swap (web_library.js), in as few draws as their order allows.
// The entry points themselves (glBegin, glVertex3d, ...) are defined in web_gl.cpp with the
// C names the program links against.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gl_calls.h"
#include "platform/web/web_contract.h"

// One vertex as WebGL receives it: window coordinates (origin bottom-left, pixel units,
// already placed by desktop GL's rules), an 8-bit colour, and the point size (0 for lines).
struct WebVertex {
  float x, y;
  uint8_t r, g, b, a;
  float size;
};
static_assert(sizeof(WebVertex) == WEB_VERTEX_SIZE, "the vertex record of web_contract.h");
static_assert(offsetof(WebVertex, x) == WEB_VERTEX_POSITION_OFFSET, "the vertex record");
static_assert(offsetof(WebVertex, r) == WEB_VERTEX_COLOUR_OFFSET, "the vertex record");
static_assert(offsetof(WebVertex, size) == WEB_VERTEX_POINT_SIZE_OFFSET, "the vertex record");

// A run of consecutive primitives of one kind, drawn by one WebGL call.
enum class WebDrawKind : uint32_t {
  Points = WEB_DRAW_POINTS,
  Lines = WEB_DRAW_LINES,
  Triangles = WEB_DRAW_TRIANGLES
};
struct WebDraw {
  WebDrawKind kind;
  uint32_t first;
  uint32_t count;
};
static_assert(sizeof(WebDraw) == WEB_DRAW_WORDS * sizeof(uint32_t), "the draw record");

// What one frame asked for since the last swap: the clear (when one came after every draw
// before it) and the draws after it.
struct WebFrame {
  bool cleared;
  float clearColour[4];
  const WebDraw* draws;
  size_t drawCount;
  const WebVertex* vertices;
  size_t vertexCount;
};
WebFrame webGlFrame();
// Forgets the frame once it has been drawn.
void webGlStartFrame();
// Whether the frame is, byte for byte, the one this was last asked about; it is then the one
// remembered. The swap need not hand a repeated frame to the page, whose picture holds it.
bool webGlFrameRepeatsLast(const WebFrame& frame);

// Test builds watch every call the layer receives, in order, with its arguments as the
// desktop entry points take them (floats widened to double, ints converted), and every
// buffer swap, by defining these two. The layer's own are empty and weak: in the program
// they cost nothing, and the small entry points can be inlined where they are called.
void webGlObserveCall(GlCall op, uint32_t e, double a0, double a1, double a2, double a3,
                      double a4, double a5);
void webGlObserveSwap();
// Called by the driver at every swap, before the frame is drawn.
void webGlNotifySwap();
// Tests only: false hands over every point, also one that repeats the point just before it
// (true at start). Takes effect at once.
void webGlSetPointCulling(bool on);
