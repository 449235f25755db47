// A scripted session under a private Xvfb that saves the pictures shown in the README: an
// animation of the whole session (the sites clicked one by one, the Left arrow, the sweep,
// the finished diagram, the Right arrow and its Delaunay edges) and two stills, the sweep
// midway and the finished diagram with its Delaunay edges.
// Usage: voronoi-demo OUTPUT_DIRECTORY
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using e2e::ProgramSession;
using x11test::Rgb;

constexpr int kClientHeight = 730;

// Sites in the program's coordinates (origin bottom-left), spread over the window.
const int kSites[][2] = {{140, 610}, {330, 650}, {520, 600}, {760, 640}, {880, 520},
                         {230, 470}, {430, 500}, {640, 450}, {120, 330}, {350, 300},
                         {560, 330}, {800, 300}, {260, 150}, {470, 120}, {690, 170}};

// The animation keeps a frame each time the sweep line has come this many rows further.
constexpr int kRowsPerFrame = 5;
// How long each frame is shown, in hundredths of a second (GIF's unit).
constexpr int kEmptyWindowDelay = 60;
constexpr int kClickDelay = 12;
constexpr int kSweepDelay = 4;
constexpr int kFinishedDelay = 150;
constexpr int kDelaunayDelay = 350;

int sweepLineRow(const ProgramSession& program) {
  std::vector<int> rows = program.rowsOfColour(10, Rgb{0, 0, 255});
  return rows.empty() ? -1 : rows.front();
}

int circleDots(const ProgramSession& program) {
  return program.countColour(0, 0, 985, 730, Rgb{26, 178, 128});
}

bool fail(const std::string& why) {
  std::fprintf(stderr, "voronoi-demo: %s\n", why.c_str());
  return false;
}

// The frames of the animation, saved as PNGs in a directory of their own, then put
// together into one looping GIF.
class Animation {
 public:
  Animation(Display* display, const ProgramSession& program)
      : display_(display), program_(program) {}
  ~Animation() {
    for (const std::string& frame : frames_) {
      unlink((frame + ".png").c_str());
      unlink((frame + ".gif").c_str());
    }
    if (!directory_.empty()) rmdir(directory_.c_str());
  }
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Saves what the window shows now as the next frame, shown for `delay` hundredths.
  bool add(int delay) {
    if (directory_.empty()) {
      char pattern[] = "/tmp/voronoi-demo-XXXXXX";
      if (mkdtemp(pattern) == nullptr) return fail("cannot make a directory for the frames");
      directory_ = pattern;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%04zu", frames_.size());
    std::string path = directory_ + name;
    if (!x11test::savePng(display_, program_.window(), path + ".png")) return fail("cannot save " + path);
    frames_.push_back(path);
    delays_.push_back(delay);
    return true;
  }

  // ImageMagick turns each PNG into a GIF of its own (one at a time: holding every frame
  // at once is more than its resource policy allows), and gifsicle puts them together,
  // keeping of each frame only the rectangle that changed. A frame has a few exact colours,
  // so 256 without dithering keeps every pixel; saying so is also what keeps ImageMagick
  // fast here, as does one thread.
  bool write(const std::string& path) {
    std::vector<std::string> mogrify{"mogrify", "-limit", "thread", "1", "+dither", "-colors",
                                     "256", "-format", "gif"};
    std::vector<std::string> gifsicle{"gifsicle", "--loop", "-O3"};
    for (size_t i = 0; i < frames_.size(); ++i) {
      mogrify.push_back(frames_[i] + ".png");
      gifsicle.insert(gifsicle.end(), {"--delay", std::to_string(delays_[i]), frames_[i] + ".gif"});
    }
    gifsicle.insert(gifsicle.end(), {"--output", path});
    return run(mogrify, "imagemagick") && run(gifsicle, "gifsicle");
  }

  size_t size() const { return frames_.size(); }

 private:
  static bool run(std::vector<std::string> arguments, const std::string& debianPackage) {
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
      return fail("cannot run " + arguments[0] + " (Debian package " + debianPackage + ")");
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      return fail(arguments[0] + " failed");
    return true;
  }

  Display* display_;
  const ProgramSession& program_;
  std::string directory_;
  std::vector<std::string> frames_;
  std::vector<int> delays_;
};

// The sweep from the line's entry at the top to its exit at the bottom. The program runs in
// slices of a millisecond and is held still in between, so that however fast it draws, a
// frame is kept every kRowsPerFrame rows and the midway still is caught.
bool recordSweep(const ProgramSession& program, Animation* animation,
                 const std::string& midwayPath, Display* display) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  bool lineSeen = false;
  bool midwaySaved = false;
  int lastKeptRow = -kRowsPerFrame;
  if (!program.pause()) return fail("cannot hold the program still");
  for (;;) {
    const int row = sweepLineRow(program);
    if (row >= 0) {
      lineSeen = true;
    } else if (lineSeen) {
      break;  // the line has left the window at the bottom
    }
    if (row >= lastKeptRow + kRowsPerFrame) {
      if (!animation->add(kSweepDelay)) return false;
      lastKeptRow = row;
    }
    // Midway: the line in the middle third of the window while circles are showing.
    if (!midwaySaved && row > 330 && row < 480 && circleDots(program) > 200) {
      if (!x11test::savePng(display, program.window(), midwayPath))
        return fail("cannot save " + midwayPath);
      midwaySaved = true;
    }
    if (std::chrono::steady_clock::now() > deadline)
      return fail("the sweep did not reach the bottom within 120 s");
    program.resume();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!program.pause()) return fail("cannot hold the program still");
  }
  program.resume();
  return midwaySaved || fail("the sweep never showed circles midway");
}

bool recordSession(const ProgramSession& program, Display* display,
                   const std::string& outputDirectory) {
  Animation animation(display, program);
  if (!animation.add(kEmptyWindowDelay)) return false;
  for (const auto& site : kSites) {
    const int x = site[0];
    const int y = kClientHeight - site[1];
    program.click(x, y);
    if (!ProgramSession::waitFor([&] { return program.pixel(x, y) == Rgb{255, 0, 0}; }, 5000))
      return fail("a clicked site did not appear");
    if (!animation.add(kClickDelay)) return false;
  }
  program.key(XK_Left);
  if (!recordSweep(program, &animation, outputDirectory + "/sweep-midway.png", display))
    return false;
  // Once the line has gone the program draws the finished diagram in every frame.
  ProgramSession::waitFor([] { return false; }, 500);
  if (!animation.add(kFinishedDelay)) return false;
  program.key(XK_Right);
  ProgramSession::waitFor([] { return false; }, 1000);
  if (!animation.add(kDelaunayDelay)) return false;
  if (!x11test::savePng(display, program.window(), outputDirectory + "/finished-diagram.png"))
    return fail("cannot save the finished diagram");
  std::printf("%zu frames\n", animation.size());
  return animation.write(outputDirectory + "/sweep.gif");
}

bool runDemo(const std::string& outputDirectory) {
  std::string whyNot;
  if (!x11test::startXvfb(&whyNot)) return fail("cannot start Xvfb: " + whyNot);
  Display* display = x11test::openDisplay();
  if (display == nullptr) return fail("cannot connect to Xvfb");
  ProgramSession program;
  bool ok = program.start(display, &whyNot);
  if (ok) {
    ok = recordSession(program, display, outputDirectory);
    program.resume();
    program.key(XK_Escape);
    int status = 0;
    program.waitForExit(5000, &status);
  } else {
    fail(whyNot);
  }
  program.stop();
  XCloseDisplay(display);
  x11test::stopXvfb();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: voronoi-demo OUTPUT_DIRECTORY\n");
    return 2;
  }
  if (!runDemo(argv[1])) return 1;
  std::printf("saved %s/sweep.gif, %s/sweep-midway.png and %s/finished-diagram.png\n", argv[1],
              argv[1], argv[1]);
  return 0;
}
