// The framework's module-level state, shared by its own files and by pixfmt/.
// The application never includes this header; it uses winfw.h.
#pragma once

#include <cstdint>

#include "winfw/winfw.h"

// ---- Settings ------------------------------------------------------------------------------
extern int32_t wfClientX;
extern int32_t wfClientY;
extern int32_t wfClientWidth;
extern int32_t wfClientHeight;
extern int32_t wfDefaultPlacement;
extern int32_t wfDisplayMode;
extern int32_t wfRequestedMode;
extern int32_t wfFormatPolicy;
extern int32_t wfFormatNumber;
extern uint8_t wfErrorBoxes;

// ---- Handles (null while no window exists) ---------------------------------------------------
extern HWND wfWindow;
extern HDC wfDeviceContext;
extern HGLRC wfRenderContext;

// ---- Handler slots ---------------------------------------------------------------------------
typedef int32_t (*WfRawKeyHandler)(int32_t key);
typedef int32_t (*WfRawMouseHandler)(int32_t x, int32_t y, int32_t buttons);

extern WfReshapeHandler wfReshapeSlot;
extern WfIdleHandler wfDisplaySlot;
extern WfIdleHandler wfIdleSlot;
extern WfRawKeyHandler wfKeySlot;
extern WfRawMouseHandler wfPressSlot;
extern WfRawMouseHandler wfReleaseSlot;
extern WfRawMouseHandler wfMotionSlot;

// ---- Handler tables ----------------------------------------------------------------------------
// Each table holds at most this many entries; a registration beyond it is ignored.
constexpr int WF_TABLE_CAPACITY = 64;

struct WfKeyEntry {
  int32_t key;
  WfKeyHandler handler;
};

struct WfMouseEntry {
  int32_t button;
  WfMouseHandler handler;
};

extern WfKeyEntry wfKeyTable[WF_TABLE_CAPACITY];
extern int32_t wfKeyCount;
extern WfMouseEntry wfPressTable[WF_TABLE_CAPACITY];
extern int32_t wfPressCount;
extern WfMouseEntry wfReleaseTable[WF_TABLE_CAPACITY];
extern int32_t wfReleaseCount;
extern WfMouseEntry wfMotionTable[WF_TABLE_CAPACITY];
extern int32_t wfMotionCount;

// ---- Dispatchers (placed in the raw slots when the window opens) -------------------------------
int32_t wfDispatchKey(int32_t key);
int32_t wfDispatchPress(int32_t x, int32_t y, int32_t buttons);
int32_t wfDispatchRelease(int32_t x, int32_t y, int32_t buttons);
int32_t wfDispatchMotion(int32_t x, int32_t y, int32_t buttons);

// Puts every setting, handle, slot and table back to its initial value. For tests, which run
// many scenarios in one process; the program itself never needs it.
void wfRestoreInitialState();
