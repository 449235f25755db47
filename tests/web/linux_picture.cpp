// The Linux program's settled picture of a scene, for the browser test to compare with the
// page's: the real program on a private Xvfb, the sites clicked, Left pressed, the picture
// taken once the sweep line has left and nothing has changed for a second (and again after
// Right, when asked), written as a PNG.
//
//   linux-picture OUT.png right|no-right x1 y1 x2 y2 ...   (client pixels, y downwards)
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using x11test::Rgb;

int fail(const std::string& why) {
  std::fprintf(stderr, "linux-picture: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 != 1) {
    std::fprintf(stderr, "usage: linux-picture OUT.png right|no-right x1 y1 x2 y2 ...\n");
    return 2;
  }
  std::string whyNot;
  if (!x11test::startXvfb(&whyNot)) return fail(whyNot);
  Display* display = x11test::openDisplay();
  if (display == nullptr) return fail("no connection to Xvfb");
  e2e::ProgramSession program(e2e::nativeProgram());
  if (!program.start(display, &whyNot)) return fail(whyNot);
  const x11test::Geometry g = program.geometry();
  auto picture = [&] { return x11test::readPixels(display, program.window(), 0, 0, g.width, g.height); };
  auto anyBlue = [](const std::vector<Rgb>& pixels) {
    for (const Rgb& p : pixels)
      if (p == Rgb{0, 0, 255}) return true;
    return false;
  };
  // The picture holds still for a second (and shows no sweep line, when asked).
  std::vector<Rgb> last;
  auto settles = [&](bool withoutSweepLine) {
    auto since = std::chrono::steady_clock::now();
    return e2e::ProgramSession::waitFor(
        [&] {
          std::vector<Rgb> now = picture();
          const auto at = std::chrono::steady_clock::now();
          if (now != last || (withoutSweepLine && anyBlue(now))) {
            last = std::move(now);
            since = at;
            return false;
          }
          return at - since >= std::chrono::seconds(1);
        },
        120000);
  };

  for (int i = 3; i + 1 < argc; i += 2) program.click(std::atoi(argv[i]), std::atoi(argv[i + 1]));
  const size_t sites = static_cast<size_t>(argc - 3) / 2;
  auto redPixels = [&] {
    size_t red = 0;
    for (const Rgb& p : picture()) red += p == Rgb{255, 0, 0};
    return red;
  };
  if (!e2e::ProgramSession::waitFor([&] { return redPixels() >= 25 * sites; }, 60000))
    return fail("the clicks did not become dots: " + std::to_string(redPixels()) + " red pixels");
  const std::vector<Rgb> dots = picture();
  program.key(XK_Left);
  // Without a swap interval (Xvfb) a small scene may be swept before the picture is read
  // again: the sweep has started once the picture is no longer the dots alone.
  if (!e2e::ProgramSession::waitFor([&] { return picture() != dots; }, 60000) || !settles(true))
    return fail("the sweep did not finish");
  if (std::strcmp(argv[2], "right") == 0) {
    program.key(XK_Right);
    const std::vector<Rgb> before = last;
    if (!e2e::ProgramSession::waitFor([&] { return picture() != before; }, 5000) ||
        !settles(false))
      return fail("the Delaunay edges did not appear");
  }
  if (!x11test::savePng(display, program.window(), argv[1])) return fail("cannot write the PNG");
  program.stop();
  XCloseDisplay(display);
  return 0;
}
