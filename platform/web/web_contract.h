// What the web driver's C++ and its JavaScript (web_library.js, web_present.js) agree on,
// written once, here. The build hands every constant below to the JavaScript as
// {{{ NAME }}} (platform/web/CMakeLists.txt reads them from this file), and the records the
// two sides share are checked against them where they are defined (web_events.cpp,
// web_gl.h): a record changed on one side fails the build.
#pragma once

#include <cstdint>

// ---- Events: what the page's listeners queue, one record each --------------------------------
// A record: the kind and six values (int32 each), then the key's code and its value as two
// strings of WEB_EVENT_TEXT_SIZE bytes.
constexpr int32_t WEB_EVENT_POINTER = 1;   // phase, x, y, button, buttons held, modifiers
constexpr int32_t WEB_EVENT_KEY_DOWN = 2;  // modifiers, repeat
constexpr int32_t WEB_EVENT_KEY_UP = 3;    // modifiers, repeat
constexpr int32_t WEB_EVENT_FOCUS = 4;     // gained (1) or lost (0)
constexpr int32_t WEB_EVENT_INTS = 7;
constexpr int32_t WEB_EVENT_TEXT_SIZE = 32;
constexpr int32_t WEB_EVENT_CODE_OFFSET = 28;  // in bytes, from the record's start
constexpr int32_t WEB_EVENT_KEY_OFFSET = 60;
constexpr int32_t WEB_EVENT_SIZE = 92;

constexpr int32_t WEB_POINTER_PRESS = 0;
constexpr int32_t WEB_POINTER_RELEASE = 1;
constexpr int32_t WEB_POINTER_MOVE = 2;

constexpr int32_t WEB_MODIFIER_SHIFT = 1;
constexpr int32_t WEB_MODIFIER_CONTROL = 2;
constexpr int32_t WEB_MODIFIER_ALT = 4;
constexpr int32_t WEB_MODIFIER_META = 8;

// ---- A frame: its vertices and its draws -----------------------------------------------------
// A vertex: window x and y (float), red, green, blue, alpha (bytes), the point size (float).
constexpr int32_t WEB_VERTEX_SIZE = 16;
constexpr int32_t WEB_VERTEX_POSITION_OFFSET = 0;
constexpr int32_t WEB_VERTEX_COLOUR_OFFSET = 8;
constexpr int32_t WEB_VERTEX_POINT_SIZE_OFFSET = 12;
// A draw: its kind, first vertex and vertex count (uint32 each).
constexpr int32_t WEB_DRAW_WORDS = 3;
constexpr int32_t WEB_DRAW_POINTS = 0;
constexpr int32_t WEB_DRAW_LINES = 1;
constexpr int32_t WEB_DRAW_TRIANGLES = 2;

// ---- The shaders' attribute locations ---------------------------------------------------------
// The frame's program takes the vertex's three parts; the present step's programs (the page's
// filters, the colour map) take their rectangle's corners at a location of their own, which
// the frame's drawing never enables.
constexpr int32_t WEB_ATTRIBUTE_POSITION = 0;
constexpr int32_t WEB_ATTRIBUTE_COLOUR = 1;
constexpr int32_t WEB_ATTRIBUTE_POINT_SIZE = 2;
constexpr int32_t WEB_ATTRIBUTE_CORNER = 3;
