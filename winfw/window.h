// The framework's window internals: one creation attempt, the default handlers, the window
// procedure, the teardown and the key and character translation. Shared by winfw's own
// files and its tests; the application uses winfw.h.
#pragma once

#include <cstdint>

#include "winfw/winfw.h"

// The class every framework window belongs to, in both character widths.
extern const char wfClassName[];
extern const WCHAR wfClassNameWide[];

// One attempt at the window with a current rendering context. `title` is a null-terminated
// 8-bit string, or UTF-16 when `wide`. 1 on success; 0 after reporting why, with every
// handle and slot cleared when a window had been created.
int32_t wfCreateWindow(const void* title, bool wide);

// Registers the window class in the form asked for, once per process: a class this process
// already registered counts as registered. 1 on success, 0 when the system refused.
int32_t wfRegisterWindowClass(bool wide);
// Forgets that the class was registered (tests, whose platform reset forgets it too).
void wfForgetWindowClass();

// True while an open is in progress: a window destroyed then (a failed attempt before the
// retry) must not post the quit message that would end the event loop.
extern bool wfOpenInProgress;

// The reshape handler installed at open: one drawing unit per pixel, origin bottom-left.
void wfDefaultReshape(int32_t width, int32_t height);
// The key handler installed for Escape: destroys the window and ends the process, status 0.
[[noreturn]] void wfExitOnEscape();

// The framework window's window procedure.
LRESULT wfWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The teardown run when the window is destroyed: palette, rendering context, device context
// released; every handle and handler slot null. The tables and settings stay.
void wfReleaseWindow();

// The framework key code of a key-down (one of the seven named keys), or 0 for any other key.
int32_t wfKeyCodeOfVirtualKey(WPARAM virtualKey);
// The framework key code of a typed character (a digit or a letter), or 0 for any other.
int32_t wfKeyCodeOfCharacter(WPARAM character);
