// The X11 driver's message box, closed the ways a person closes it.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/x11/x11_message_helper.h"

namespace x11test {
namespace {

const char kOutcomes[] = "1: no display, 2: no box, 3: box without keyboard, 4: not closed";

class MessageBoxTest : public X11DriverTest {
 protected:
  // A separate process plays the user: it waits for the box titled `caption` to have the
  // keyboard, then presses the key. Its exit status says whether all went as it should;
  // a box that does not close is killed, so the test never hangs on it.
  pid_t closeBoxWithKey(const std::string& caption, KeySym key) {
    pid_t user = fork();
    if (user != 0) return user;
    Display* display = openDisplay();
    if (display == nullptr) _exit(1);
    Window box = waitForWindowByTitle(display, caption, 10000);
    if (box == None) _exit(2);
    bool focused = waitUntil([&] {
      Window focus = None;
      int revert = 0;
      XGetInputFocus(display, &focus, &revert);
      return focus == box;
    });
    tapKey(display, key);
    bool closed = waitUntil([&] { return findWindowByTitle(display, caption) == None; });
    if (!closed) XKillClient(display, box);
    XSync(display, False);
    _exit(!focused ? 3 : !closed ? 4 : 0);
  }

  static bool waitUntil(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 500; ++attempt) {
      if (condition()) return true;
      usleep(10000);
    }
    return false;
  }

  // 0 when the user saw the box take the keyboard and close on the key.
  int userOutcome(pid_t user) {
    int status = 0;
    if (waitpid(user, &status, 0) != user || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
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
  EXPECT_EQ(userOutcome(user), 0) << kOutcomes;

  user = closeBoxWithKey("Warning", XK_Escape);
  EXPECT_EQ(MessageBoxA(window, "Can't initialize a single buffer visual.", "Warning", MB_OK),
            IDOK);
  EXPECT_EQ(userOutcome(user), 0) << kOutcomes;

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

TEST_F(MessageBoxTest, TextGoesToStandardErrorWhenTheHelperCannotShowTheBox) {
  HWND window = openWindow("owner without helper", 0, 0, 100, 100);
  ASSERT_NE(window, nullptr);
  struct Helper {
    const char* path;
    const char* what;
  };
  for (Helper helper : {Helper{"", "none found"},
                        Helper{"/nonexistent/voronoi-sweep-message", "missing"},
                        Helper{"/dev/null", "not executable"},
                        Helper{"/bin/false", "fails"}}) {
    x11UseMessageHelper(helper.path);
    testing::internal::CaptureStderr();
    int result = MessageBoxA(window, "no box\n", "Error", MB_OK);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, IDOK) << helper.what;
    EXPECT_NE(written.find("Error: no box\n"), std::string::npos) << helper.what << ": " << written;
  }
  x11UseMessageHelper(nullptr);
}

// The helper is looked for where the installed program has it, then beside the program;
// only an executable file counts.
TEST(MessageHelperLookup, FindsTheInstalledHelperFirstThenTheOneBeside) {
  char scratch[] = "/tmp/message-helper-XXXXXX";
  ASSERT_NE(mkdtemp(scratch), nullptr);
  const std::string root = scratch;
  const std::string program = root + "/bin/voronoi-sweep";
  const std::string installed = root + "/libexec/voronoi-sweep/voronoi-sweep-message";
  const std::string beside = root + "/bin/voronoi-sweep-message";
  for (const char* directory : {"/bin", "/libexec", "/libexec/voronoi-sweep"})
    ASSERT_EQ(mkdir((root + directory).c_str(), 0700), 0) << directory;
  auto place = [](const std::string& path, mode_t mode) {
    std::ofstream(path) << "#!/bin/sh\n";
    chmod(path.c_str(), mode);
  };
  struct Layout {
    mode_t installedMode, besideMode;  // 0: absent
    const std::string* expected;       // null: none
  };
  const Layout layouts[] = {
      {0700, 0700, &installed}, {0600, 0700, &beside}, {0, 0700, &beside},
      {0, 0, nullptr},          {0, 0600, nullptr},
  };
  for (const Layout& layout : layouts) {
    for (auto [path, mode] : {std::pair{&installed, layout.installedMode},
                              std::pair{&beside, layout.besideMode}}) {
      unlink(path->c_str());
      if (mode != 0) place(*path, mode);
    }
    std::string found = x11FindMessageHelper(program);
    std::string wanted = layout.expected != nullptr ? *layout.expected : "";
    // The installed one is reached through bin/.., so compare the files, not the names.
    struct stat a {}, b {};
    bool same = found.empty() ? wanted.empty()
                              : stat(found.c_str(), &a) == 0 && stat(wanted.c_str(), &b) == 0 &&
                                    a.st_ino == b.st_ino;
    EXPECT_TRUE(same) << "found \"" << found << "\", wanted \"" << wanted << "\"";
  }
  std::string cleanup = "rm -rf '" + root + "'";
  EXPECT_EQ(std::system(cleanup.c_str()), 0);
}

}  // namespace
}  // namespace x11test
