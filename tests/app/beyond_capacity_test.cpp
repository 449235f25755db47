// Input the program cannot take, given the way the window system gives it: the program's
// window opened on the headless driver with the program's handlers, every event through the
// real window procedure and dispatchers, and the frame routine as the idle handler, sweeping
// until the line is well below the window. Presses beyond the site table, presses and drags
// outside the client area, windows larger than the grid or far smaller, reshapes to 0 x 0
// and 32767 x 32767, and bursts of a thousand key presses must neither write outside a
// table or the grid (the sanitized build checks every access) nor change what in-range
// input does.
#include <climits>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "sweep/draw_frame.h"
#include "tests/winfw/window_fixture.h"

namespace {

struct Input {
  enum Kind { Resize, Click, Down, Move, Up, Key } kind;
  int a;  // width, x or virtual key
  int b;  // height or y
  int times = 1;
};

Input resize(int width, int height) { return {Input::Resize, width, height}; }
Input click(int x, int y) { return {Input::Click, x, y}; }
Input down(int x, int y) { return {Input::Down, x, y}; }
Input move(int x, int y) { return {Input::Move, x, y}; }
Input up(int x, int y) { return {Input::Up, x, y}; }
Input keys(UINT virtualKey, int times) { return {Input::Key, static_cast<int>(virtualKey), 0, times}; }

void post(const Input& in) {
  for (int n = 0; n < in.times; ++n) {
    switch (in.kind) {
      case Input::Resize:
        platformNotifyConfigured(wfWindow, 0, 0, in.a, in.b, false);
        break;
      case Input::Click:
        platformPostMouse(wfWindow, WM_LBUTTONDOWN, in.a, in.b, MK_LBUTTON);
        platformPostMouse(wfWindow, WM_LBUTTONUP, in.a, in.b, 0);
        break;
      case Input::Down:
        platformPostMouse(wfWindow, WM_LBUTTONDOWN, in.a, in.b, MK_LBUTTON);
        break;
      case Input::Move:
        platformPostMouse(wfWindow, WM_MOUSEMOVE, in.a, in.b, MK_LBUTTON);
        break;
      case Input::Up:
        platformPostMouse(wfWindow, WM_LBUTTONUP, in.a, in.b, 0);
        break;
      case Input::Key:
        platformPostKeyDown(wfWindow, static_cast<UINT>(in.a), 0);
        break;
    }
  }
}

struct Row {
  std::string name;
  std::vector<Input> inputs;  // all waiting before the first frame; a Left arrow follows
  int runCounterBefore;       // the counter as a long run may have left it
  int sites;                  // siteCount afterwards
  Site last;                  // sites[siteCount]
  int runCounter;
  int sweepDirection;
};

std::vector<Input> thousandClicks() {
  std::vector<Input> in;
  for (int i = 0; i < 1000; ++i) in.push_back(click(i % 985, i % 730));
  return in;
}

// The frame routine as the idle handler: the first frame posts the row's input and the
// Left arrow; the frames after it sweep until the line is far below the window.
const Row* current = nullptr;
int framesRun = 0;
constexpr int kFrameLimit = 4000;

void scriptedFrame() {
  drawFrame();
  ++framesRun;
  if (framesRun == 1) {
    for (const Input& in : current->inputs) post(in);
    platformPostKeyDown(wfWindow, VK_LEFT, 0);
  } else if (sweepY < -200.0 || framesRun >= kFrameLimit) {
    wfCloseWindow();
  }
}

class BeyondCapacity : public WindowTest {
 protected:
  void SetUp() override { startAfresh(); }
  void TearDown() override { glrec::reset(); }

  // A fresh platform, framework and scene, for each row of a table too.
  void startAfresh() {
    WindowTest::SetUp();
    restoreSceneStartValues();
    glrec::setStoring(false);  // a whole sweep's calls would take gigabytes
    framesRun = 0;
  }

  // The program's own start-up (app/main.cpp), with the scripted frame as the idle handler.
  static int32_t runLikeTheProgram() {
    if (openProgramWindow() != 1) return -1;
    wfSetIdleHandler(scriptedFrame);
    registerInputHandlers();
    return wfRunMainLoop(scriptedFrame);
  }
};

TEST_F(BeyondCapacity, NoInputWritesOutsideATableOrTheGrid) {
  const std::vector<Row> rows = {
      // The 200th to the 1000th press add nothing; the first 199 are kept as clicked.
      {"a thousand presses", thousandClicks(), 0, 199, {198, 730 - 198}, 5, -1},
      // The grid is 912 x 912 whatever the window: sites beyond it are sites all the same.
      {"a screen-sized window",
       {resize(3840, 2160), click(3839, 0), click(0, 2159), click(1920, 1080), click(3839, 2159)},
       0, 4, {3839, 1}, 5, -1},
      {"a window far smaller than the sites",
       {click(900, 100), resize(3, 2), click(2, 1), click(900, 700)}, 0, 3, {900, 2 - 700}, 5, -1},
      // Holding the button keeps the pointer captured: the drag and the release arrive from
      // outside, with coordinates beyond the client area in either direction (the window
      // system gives 16 bits: 40000 arrives as -25536).
      {"a press inside, a drag out, a release outside",
       {down(100, 100), move(-3000, 5000), move(40000, -40000), up(-3000, 9000), down(-5, -7),
        up(-5, -7), click(-32768, 32767)},
       0, 3, {-32768, 730 - 32767}, 5, -1},
      {"a reshape to 0 x 0", {resize(0, 0), click(5, 5), click(0, 0)}, 0, 2, {0, 0}, 5, -1},
      {"a reshape to 32767 x 32767",
       {resize(32767, 32767), click(32766, 32766), click(-32768, -32768)}, 0, 2,
       {-32768, 32767.0 + 32768.0}, 5, -1},
      {"a thousand Left presses", {click(100, 100), keys(VK_LEFT, 1000)}, 0, 1, {100, 630},
       5 * 1001, -1},
      {"a thousand and one Right presses", {click(100, 100), keys(VK_RIGHT, 1001)}, 0, 1,
       {100, 630}, 5, 1},
      // Left held down for months: the counter stops where another 5 no longer fits.
      {"a thousand Left presses after months of them", {click(100, 100), keys(VK_LEFT, 1000)},
       INT_MAX - 12, 1, {100, 630}, INT_MAX - 2, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    startAfresh();
    runCounter = row.runCounterBefore;
    current = &row;
    ASSERT_EQ(runLikeTheProgram(), 0);
    EXPECT_LT(sweepY, -200.0) << "the sweep did not run to its end in " << framesRun << " frames";
    ASSERT_EQ(siteCount, row.sites);
    EXPECT_EQ(sites[siteCount].x, row.last.x);
    EXPECT_EQ(sites[siteCount].y, row.last.y);
    EXPECT_EQ(runCounter, row.runCounter);
    EXPECT_EQ(sweepDirection, row.sweepDirection);
  }
}

// Every handler table filled past its capacity by the program's start-up plus a hundred more
// registrations: the first that fit are kept and all of them run from the real window
// procedure; the rest are ignored, and nothing is written past a table's end.
int extraRuns = 0;
void countKey() { ++extraRuns; }
void countMouse(WfEvent*) { ++extraRuns; }

TEST_F(BeyondCapacity, FullHandlerTablesKeepTheEntriesThatFit) {
  ASSERT_EQ(openProgramWindow(), 1);
  wfSetIdleHandler([] {
    static bool posted = false;
    if (posted) {
      posted = false;
      wfCloseWindow();
      return;
    }
    posted = true;
    platformPostKeyDown(wfWindow, 'A', 'A');  // Shift+A types 65
    platformPostMouse(wfWindow, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    platformPostMouse(wfWindow, WM_MOUSEMOVE, 6, 6, MK_LBUTTON);
    platformPostMouse(wfWindow, WM_LBUTTONUP, 7, 7, 0);
  });
  registerInputHandlers();
  for (int i = 0; i < 100; ++i) {
    wfAddKeyHandler('A', countKey);
    wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, countMouse);
    wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_RELEASE, countMouse);
    wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_MOTION, countMouse);
  }
  extraRuns = 0;
  ASSERT_EQ(wfRunMainLoop(drawFrame), 0);
  // Keys: Escape (added by the open) and the two arrows leave 61 places; presses: the site
  // handler leaves 63; releases and motion: 64 each.
  constexpr int kKeys = WF_TABLE_CAPACITY - 3, kPresses = WF_TABLE_CAPACITY - 1;
  EXPECT_EQ(extraRuns, kKeys + kPresses + 2 * WF_TABLE_CAPACITY);
  EXPECT_EQ(siteCount, 1);  // the program's own handler still ran
}

}  // namespace
