// The program loses its display: the server ends under it, or its connection alone is
// killed, while the sweep runs or while a message box is up. It must end promptly with a
// message on standard error and status 1, and leave no message-box helper behind.
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>
#include <dirent.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

using e2e::ProgramSession;

const char kLostMessage[] = "voronoi-sweep: lost the connection to the X display";

enum class During {
  glSetUp,  // the window has just appeared: GL's set-up (Mesa's, through XCB) under way
  sweep,
  box,      // a server without GLX: the program's pixel-format error box is up
};

struct Loss {
  const char* name;
  During during;
  bool killServer;  // the server ends; otherwise only the program's connection is killed
};

// ctest names the cases by this, not by the struct's bytes.
void PrintTo(const Loss& loss, std::ostream* out) { *out << loss.name; }

class LostDisplay : public x11test::XvfbTest, public testing::WithParamInterface<Loss> {
 protected:
  void SetUp() override {
    // Orphans (a helper that outlived the program) come to this process.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    x11test::stopXvfb();
    x11test::setXvfbArguments(GetParam().during == During::box ? std::vector<std::string>{"-extension", "GLX"}
                                               : std::vector<std::string>{});
    x11test::XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    char path[] = "/tmp/lost-display-stderr-XXXXXX";
    int file = mkstemp(path);
    ASSERT_GE(file, 0);
    close(file);
    errorPath_ = path;
    program_.sendStandardErrorTo(errorPath_);
    if (GetParam().during == During::glSetUp) {
      ASSERT_TRUE(program_.launch(display_));
      return;
    }
    std::string whyNot;
    ASSERT_TRUE(program_.start(display_, &whyNot)) << whyNot;
  }
  void TearDown() override {
    if (!errorPath_.empty()) unlink(errorPath_.c_str());
    x11test::XvfbTest::TearDown();
  }

  std::string standardError() const {
    std::ifstream in(errorPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // True once no message-box helper (nor a process of SDL's it started) is left among the
  // children of this process, the ones that outlived the program included.
  static bool noHelperLeft() {
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    DIR* processes = opendir("/proc");
    if (processes == nullptr) return false;
    bool found = false;
    while (dirent* entry = readdir(processes)) {
      std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
      std::string line;
      if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
      // pid (name) state parent ...; the kernel cuts the name to 15 characters
      std::string name = line.substr(line.find('(') + 1, line.rfind(')') - line.find('(') - 1);
      std::istringstream rest(line.substr(line.rfind(')') + 1));
      char state = 0;
      pid_t parent = 0;
      rest >> state >> parent;
      if (parent == getpid() && name.rfind("voronoi-sweep-m", 0) == 0) found = true;
    }
    closedir(processes);
    return !found;
  }

  ProgramSession program_;
  std::string errorPath_;
};

TEST_P(LostDisplay, EndsPromptlyWithStatusOneAndSaysWhy) {
  const Loss& loss = GetParam();
  switch (loss.during) {
    case During::glSetUp:
      ASSERT_TRUE(ProgramSession::waitFor(
          [&] { return x11test::findWindowByTitle(display_, e2e::kTitle) != None; }, 20000));
      break;
    case During::sweep:
      program_.click(300, 300);
      program_.click(600, 400);
      program_.key(XK_Left);
      ProgramSession::waitFor([] { return false; }, 500);  // the sweep runs a while
      break;
    case During::box:
      ASSERT_NE(x11test::waitForWindowByTitle(display_, "Error", 10000), 0u)
          << "no error box on a server without GLX";
      break;
  }
  if (loss.killServer) {
    // Our own connection goes first: Xlib would end this test on the dead connection.
    XCloseDisplay(display_);
    display_ = nullptr;
    x11test::stopXvfb();
  } else {
    XKillClient(display_, program_.window());
    XSync(display_, False);
  }
  int status = -1;
  ASSERT_TRUE(program_.waitForExit(5000, &status)) << "still running 5 s after the loss";
  EXPECT_EQ(status, 1);
  EXPECT_NE(standardError().find(kLostMessage), std::string::npos) << standardError();
  // The box's helper ended with the program, even where the server stays up.
  EXPECT_TRUE(ProgramSession::waitFor(noHelperLeft, 5000)) << "a helper outlived the program";
  if (!loss.killServer && loss.during == During::box) {
    EXPECT_TRUE(ProgramSession::waitFor(
        [&] { return x11test::findWindowByTitle(display_, "Error") == None; }, 5000))
        << "the box stayed up";
  }
}

INSTANTIATE_TEST_SUITE_P(, LostDisplay,
                         testing::Values(
                             Loss{"ServerEndsWhileGlSetsUp", During::glSetUp, true},
                             Loss{"ServerEndsDuringTheSweep", During::sweep, true},
                             Loss{"ServerEndsWhileABoxIsUp", During::box, true},
                             Loss{"ConnectionKilledWhileABoxIsUp", During::box, false}),
                         [](const testing::TestParamInfo<Loss>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
