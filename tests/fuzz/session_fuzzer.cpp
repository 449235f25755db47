// A whole session of the program on the headless driver, driven by the fuzz input: the
// program's own set-up, then the real event loop, in which every idle pass draws a frame and
// then reads the next operations of the input (clicks, drags, keys, reshapes, window-system
// events, frames) and posts them as the window system would. The window procedure, the
// dispatchers, the handlers and the frame routine run as in the program.
//
// Escape or a close ends the session (the rest of the input runs in a fresh one); so does
// the end of the input, or the frame budget, which keeps one input to milliseconds.
#include <cstddef>
#include <cstdint>

#include "app/handlers.h"
#include "app/scene.h"
#include "pixfmt/pixfmt.h"
#include "platform/driver.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "tests/fuzz/fuzz_input.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

// The work one input may do over all its sessions, in frames of a sweep with few sites: a
// frame of a running sweep costs more the more sites there are (one with 199 costs as much
// as 13 with five), so that one input takes milliseconds, not seconds.
constexpr int FRAME_BUDGET = 128;
constexpr int MAX_SESSIONS = 4;
// Operations read in one idle pass when no frame operation comes first.
constexpr int MAX_OPERATIONS_PER_PASS = 16;

FuzzInput* input = nullptr;
int budgetUsed = 0;
int framesPending = 0;  // idle passes still to come before the next operation is read

// Every frame the loop draws, whether idle or repaint, counts against the budget.
void countedFrame() {
  budgetUsed = budgetUsed + (runCounter == 0 ? 1 : 2 + siteCount / 8);
  drawFrame();
}

// The framework's Escape entry destroys the window and then ends the process. This one does
// the same but for the exit, so that the fuzzer goes on with the next input.
void endSessionOnEscape() {
  if (wfWindow != nullptr) DestroyWindow(wfWindow);
}

void replaceEscapeEntry() {
  for (int32_t i = 0; i < wfKeyCount; ++i)
    if (wfKeyTable[i].handler == wfExitOnEscape) wfKeyTable[i].handler = endSessionOnEscape;
}

void resetEverything() {
  restoreSceneStartValues();
  activeCount = 0;
  beachCount = 0;
  nearLine = 0;
  wfRestoreInitialState();
  wfRestorePaletteState();
  platformtest::resetHeadless();
  wfForgetWindowClass();
}

void mouse(UINT message, int x, int y, WPARAM keyState) {
  platformPostMouse(wfWindow, message, x, y, keyState);
}

void click(int x, int y) {
  mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  mouse(WM_LBUTTONUP, x, y, 0);
}

// Sizes the window system may report, the edges of the grid and of the 16-bit size fields
// among them; or, with the top bit of the byte set, any size up to X's 32767.
int windowSide(FuzzInput& in) {
  static const int sides[] = {0, 1, 2, 100, 730, 911, 912, 913, 985, 1920, 4096, 32767};
  const uint8_t choice = in.u8();
  if (choice & 0x80) return in.u16() & 0x7fff;
  return sides[choice % (sizeof sides / sizeof sides[0])];
}

// Keys: the program's own, the framework's other named keys, letters, and keys that type
// nothing it knows.
UINT someKey(FuzzInput& in) {
  static const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_ESCAPE, VK_UP,    VK_DOWN, VK_RETURN,
                              VK_SPACE, 'A',     '7',       VK_SHIFT, VK_F1,   VK_DELETE};
  const uint8_t choice = in.u8();
  if (choice & 0x80) return choice & 0x7f;
  return keys[choice % (sizeof keys / sizeof keys[0])];
}

// How far one skip lowers a running sweep: a few frames' worth up to what years of running
// would reach.
double skipDistance(FuzzInput& in) {
  static const double distances[] = {8.0, 64.0, 300.0, 760.0, 1e4, 1e6, 1e9, 1e12};
  return in.pick(distances);
}

enum Operation : uint8_t {
  Frames,
  PressLeft,
  ReleaseLeft,
  Click,
  Drag,
  Move,
  OtherButton,
  Keys,
  LeftArrow,
  RightArrow,
  Escape,
  Reshape,
  ClickBurst,
  SkipSweep,
  Expose,
  Activate,
  CloseRequest,
  OperationCount
};

// Performs one operation; true when it asks for frames before the next one is read.
bool perform(FuzzInput& in) {
  switch (static_cast<Operation>(in.u8() % OperationCount)) {
    case Frames:
      framesPending = in.u8() % 32;
      return true;
    case PressLeft: {
      const int x = in.i16(), y = in.i16();
      mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      break;
    }
    case ReleaseLeft: {
      const int x = in.i16(), y = in.i16();
      mouse(WM_LBUTTONUP, x, y, 0);
      break;
    }
    case Click: {
      const int x = in.i16(), y = in.i16();
      click(x, y);
      break;
    }
    case Drag: {
      // A press, moves with the button held (out of the window too), a release at the end.
      int x = in.i16(), y = in.i16();
      const int dx = static_cast<int8_t>(in.u8()) * 4, dy = static_cast<int8_t>(in.u8()) * 4;
      const int steps = in.u8() % 32;
      mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      for (int i = 0; i < steps; ++i) {
        x += dx;
        y += dy;
        mouse(WM_MOUSEMOVE, x, y, MK_LBUTTON);
      }
      mouse(WM_LBUTTONUP, x, y, 0);
      break;
    }
    case Move: {
      const int x = in.i16(), y = in.i16();
      mouse(WM_MOUSEMOVE, x, y, in.u8() & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT));
      break;
    }
    case OtherButton: {
      static const UINT messages[] = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN,
                                      WM_MBUTTONUP,   WM_LBUTTONDBLCLK};
      const UINT message = in.pick(messages);
      const int x = in.i16(), y = in.i16();
      mouse(message, x, y, in.u8() & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
      break;
    }
    case Keys: {
      const UINT key = someKey(in);
      const uint32_t character = in.u8();
      const int times = 1 + in.u8() % 16;
      for (int i = 0; i < times; ++i) {
        platformPostKeyDown(wfWindow, key, character);
        platformPostKeyUp(wfWindow, key);
      }
      break;
    }
    case LeftArrow:
      platformPostKeyDown(wfWindow, VK_LEFT, 0);
      break;
    case RightArrow:
      platformPostKeyDown(wfWindow, VK_RIGHT, 0);
      break;
    case Escape:
      // The operations after it belong to the next session: end the pass here.
      platformPostKeyDown(wfWindow, VK_ESCAPE, 27);
      return true;
    case Reshape: {
      const int width = windowSide(in), height = windowSide(in);
      const int x = in.i16(), y = in.i16();
      platformNotifyConfigured(wfWindow, x, y, width, height, (in.u8() & 1) != 0);
      break;
    }
    case ClickBurst: {
      // Many sites at once: the table's capacity and beyond, inside the window or not.
      const int count = 1 + in.u8();
      const int x = in.i16(), y = in.i16();
      const int dx = static_cast<int8_t>(in.u8()), dy = static_cast<int8_t>(in.u8());
      for (int i = 0; i < count; ++i) click(x + i * dx, y + i * dy);
      break;
    }
    case SkipSweep:
      // Stands for the frames that would take the line this far: only a started sweep
      // moves, and only downwards.
      if (runCounter != 0) sweepY = sweepY - skipDistance(in);
      break;
    case Expose:
      platformNotifyExposed(wfWindow);
      break;
    case Activate: {
      const uint8_t how = in.u8();
      platformNotifyActivated(wfWindow, (how & 1) != 0, (how & 2) != 0);
      break;
    }
    case CloseRequest:
      platformNotifyCloseRequest(wfWindow);
      return true;
    case OperationCount:
      break;
  }
  return false;
}

// The idle handler: a frame, then the input's next operations, until a frame operation,
// the end of the input or of the budget (which end the session).
void idleThenRead() {
  countedFrame();
  if (framesPending > 0) {
    framesPending = framesPending - 1;
    return;
  }
  if (input->empty() || budgetUsed >= FRAME_BUDGET) {
    DestroyWindow(wfWindow);
    return;
  }
  for (int i = 0; i < MAX_OPERATIONS_PER_PASS && !input->empty() && wfWindow != nullptr; ++i)
    if (perform(*input)) return;
}

// The program's start-up (as its main does) and its event loop.
void runSession() {
  resetEverything();
  framesPending = 0;
  wfSetWindowPosition(0, 0, 985, 730);
  wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
  if (!wfOpenWindow("Diagrama Voronogo. Velmarosh k-23")) return;
  wfSetIdleHandler(idleThenRead);
  registerInputHandlers();
  replaceEscapeEntry();
  wfRunMainLoop(countedFrame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  input = &in;
  budgetUsed = 0;
  for (int session = 0; session < MAX_SESSIONS && budgetUsed < FRAME_BUDGET; ++session) {
    runSession();
    if (in.empty()) break;
  }
  input = nullptr;
  // What the platform allocated for the sessions is given back within the input, so that
  // libFuzzer's leak check sees as many frees as allocations.
  resetEverything();
  return 0;
}
