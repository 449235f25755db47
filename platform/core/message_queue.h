// The process's one message queue (there is one thread).
//
// What PeekMessageA and GetMessageA return, in this order of precedence:
//   1. posted messages (PostMessageA, the driver's input, WM_CHAR from TranslateMessage),
//      first in first out;
//   2. WM_QUIT, once PostQuitMessage was called;
//   3. WM_PAINT for a visible window whose client area is invalid, one per window however
//      often it was invalidated, until BeginPaint validates it.
// Each only when it passes the filters: the window (null: any window and messages of no
// window; a window: only that window's messages, so never WM_QUIT) and the message range
// (0, 0: all).
#pragma once

#include <vector>

#include "platform/platform.h"

// Appends a message (its time is set here).
void platformPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Posts a key-down and remembers the character the key types, for TranslateMessage.
void platformPostKey(HWND window, UINT message, WPARAM virtualKey, LPARAM flags,
                     uint32_t character);
// The character remembered for a key-down message; false when there is none.
bool platformCharacterOf(const MSG& keyDown, uint32_t* character);
// Puts a message at the head of the queue, to be taken next.
void platformPostFirst(const MSG& msg);
// The window is gone: its waiting messages with it.
void platformDropMessagesFor(HWND window);

// What PostMessageA and PostQuitMessage posted, for tests.
const std::vector<MSG>& platformPostedLog();
void platformClearPostedLog();
std::vector<MSG> platformWaitingMessages();

void platformResetQueue();
