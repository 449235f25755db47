// The X11 driver's message box, closed the ways a person closes it.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace x11test {
namespace {

class MessageBoxTest : public X11DriverTest {
 protected:
  // A separate process plays the user: it waits for the box titled `caption`, then
  // presses the key. Its exit status says whether it found the box.
  pid_t closeBoxWithKey(const std::string& caption, KeySym key) {
    pid_t user = fork();
    if (user != 0) return user;
    Display* display = openDisplay();
    Window box = display != nullptr ? waitForWindowByTitle(display, caption, 10000) : None;
    if (box != None) {
      // The box must be on the screen, not just exist, before a key can reach it.
      XWindowAttributes attributes;
      for (int i = 0; i < 200 && XGetWindowAttributes(display, box, &attributes) &&
                      attributes.map_state != IsViewable;
           ++i)
        usleep(10000);
      usleep(100000);
      tapKey(display, key);
    }
    _exit(box != None ? 0 : 1);
  }

  bool userFoundTheBox(pid_t user) {
    int status = 0;
    return waitpid(user, &status, 0) == user && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
};

TEST_F(MessageBoxTest, ShowsTheBoxWhileTheWindowIsOpenAndReturnOrEscapeClosesIt) {
  HWND window = openWindow("owner", 0, 0, 400, 300);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return GetFocus() == window; }));

  pid_t user = closeBoxWithKey("Error", XK_Return);
  EXPECT_EQ(MessageBoxA(window, "Selecting a pixel format failed\n", "Error",
                        MB_OK | MB_ICONERROR),
            IDOK);
  EXPECT_TRUE(userFoundTheBox(user));

  user = closeBoxWithKey("Warning", XK_Escape);
  EXPECT_EQ(MessageBoxA(window, "Can't initialize a single buffer visual.", "Warning", MB_OK),
            IDOK);
  EXPECT_TRUE(userFoundTheBox(user));

  // The window has the keyboard back.
  forgetReceived();
  tapKey(display_, XK_Left);
  EXPECT_TRUE(pumpUntil([&] { return hasReceived(WM_KEYDOWN); }));
}

TEST_F(MessageBoxTest, TextGoesToStandardErrorWhenNoBoxCanBeShown) {
  HWND window = openWindow("owner without box", 0, 0, 100, 100);
  ASSERT_NE(window, nullptr);
  // The box opens its own connection; pointed at a display that does not exist, it
  // cannot. The window's connection stays as it is.
  std::string display = getenv("DISPLAY");
  setenv("DISPLAY", ":65000", 1);
  testing::internal::CaptureStderr();
  int result = MessageBoxA(window, "create window failed\n", "Error", MB_OK);
  std::string written = testing::internal::GetCapturedStderr();
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_EQ(result, IDOK);
  EXPECT_NE(written.find("Error: create window failed\n"), std::string::npos) << written;
}

}  // namespace
}  // namespace x11test
