// A scripted session under a private Xvfb that saves the pictures shown in the README:
// the sweep midway (beach line, circles, breakpoint lines) and the finished diagram with
// its Delaunay edges. Usage: voronoi-demo OUTPUT_DIRECTORY
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>

#include <cstdio>
#include <string>

namespace {

using e2e::ProgramSession;
using x11test::Rgb;

constexpr int kClientHeight = 730;

// Sites in the program's coordinates (origin bottom-left), spread over the window.
const int kSites[][2] = {{140, 610}, {330, 650}, {520, 600}, {760, 640}, {880, 520},
                         {230, 470}, {430, 500}, {640, 450}, {120, 330}, {350, 300},
                         {560, 330}, {800, 300}, {260, 150}, {470, 120}, {690, 170}};

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

bool runDemo(const std::string& outputDirectory) {
  std::string whyNot;
  if (!x11test::startXvfb(&whyNot)) return fail("cannot start Xvfb: " + whyNot);
  Display* display = x11test::openDisplay();
  if (display == nullptr) return fail("cannot connect to Xvfb");
  ProgramSession program;
  bool ok = program.start(display, &whyNot);
  if (ok) {
    for (const auto& site : kSites) program.click(site[0], kClientHeight - site[1]);
    program.key(XK_Left);
    // Midway: the line in the middle third of the window while circles are showing.
    ok = ProgramSession::waitFor(
        [&] {
          int row = sweepLineRow(program);
          return row > 330 && row < 480 && circleDots(program) > 200;
        },
        60000);
    if (!ok) fail("the sweep never showed circles midway");
    ok = ok && x11test::savePng(display, program.window(), outputDirectory + "/sweep-midway.png");
    // The end: the line has left the window; then the Delaunay edges are switched on.
    ok = ok && ProgramSession::waitFor([&] { return sweepLineRow(program) > 700; }, 60000) &&
         ProgramSession::waitFor([&] { return sweepLineRow(program) == -1; }, 20000);
    if (ok) {
      program.key(XK_Right);
      ProgramSession::waitFor([] { return false; }, 1000);
      ok = x11test::savePng(display, program.window(),
                            outputDirectory + "/finished-diagram.png");
    }
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
  std::printf("saved %s/sweep-midway.png and %s/finished-diagram.png\n", argv[1], argv[1]);
  return 0;
}
