#pragma once

// The system's 20 static colours (red, green, blue, flags) as a default palette holds them;
// the initial value of wfStaticColours, and what a restore puts back.
#define WF_INITIAL_STATIC_COLOURS                                              \
  {                                                                            \
    {0, 0, 0, 0}, {128, 0, 0, 0}, {0, 128, 0, 0}, {128, 128, 0, 0},            \
    {0, 0, 128, 0}, {128, 0, 128, 0}, {0, 128, 128, 0}, {192, 192, 192, 0},    \
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0},                \
    {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0}, {0, 255, 0, 0},    \
    {255, 255, 0, 0}, {0, 0, 255, 0}, {255, 0, 255, 0}, {0, 255, 255, 0},      \
    {255, 255, 255, 0},                                                        \
  }
