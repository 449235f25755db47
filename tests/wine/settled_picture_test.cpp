// The Windows build draws what the Linux build draws: the same scenes, clicked into both
// programs in turn on one X server, give the same finished picture, pixel for pixel (Wine
// hands OpenGL to the same GLX renderer the Linux program uses).
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using e2e::ProgramSession;
using x11test::Rgb;

constexpr int kWidth = 985;
constexpr int kHeight = 730;

struct Scene {
  const char* name;
  std::vector<std::pair<int, int>> sites;  // program coordinates, origin bottom-left
  bool delaunay;                           // press Right once the sweep is done
};

// Test names and failure messages name the scene.
void PrintTo(const Scene& scene, std::ostream* out) { *out << scene.name; }

std::vector<std::pair<int, int>> randomSites(int count, uint32_t seed) {
  std::vector<std::pair<int, int>> sites;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const int x = 30 + static_cast<int>((seed >> 8) % 920u);
    seed = seed * 1664525u + 1013904223u;
    const int y = 30 + static_cast<int>((seed >> 8) % 670u);
    sites.emplace_back(x, y);
  }
  return sites;
}

// The browser test's 40 random sites, clicked at the client pixels generated: once the line
// has left the window the picture changes in every frame or two until it is finished, so a
// picture held for a second is the finished one however fast the frames come.
std::vector<std::pair<int, int>> fortyRandomSites() {
  std::vector<std::pair<int, int>> sites = randomSites(40, 34);
  for (auto& site : sites) site.second = kHeight - site.second;
  return sites;
}

std::vector<std::pair<int, int>> gridSites(int columns, int rows, int step) {
  std::vector<std::pair<int, int>> sites;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      sites.emplace_back(150 + column * step, 150 + row * step);
  return sites;
}

std::vector<Scene> scenes() {
  return {
      {"ThreeSites", {{100, 500}, {300, 500}, {200, 600}}, true},
      {"FortyRandomSites", fortyRandomSites(), true},
      {"Grid", gridSites(5, 4, 120), true},
      {"TwoSitesAndACollinearRow", {{480, 650}, {500, 420}, {200, 200}, {400, 200}, {600, 200}},
       false},
  };
}

const Rgb kBlue{0, 0, 255};

bool anyOf(const std::vector<Rgb>& pixels, Rgb colour) {
  for (const Rgb& p : pixels)
    if (p == colour) return true;
  return false;
}

// Runs the scene in one program and returns its finished picture (empty on failure).
std::vector<Rgb> settledPicture(Display* display, const e2e::ProgramCommand& command,
                                const char* side, const Scene& scene, std::string* whyNot) {
  ProgramSession program(command);
  if (!program.start(display, whyNot)) return {};
  const x11test::Geometry g = program.geometry();
  if (g.width != kWidth || g.height != kHeight) {
    *whyNot = "client area " + std::to_string(g.width) + " x " + std::to_string(g.height);
    return {};
  }
  auto picture = [&] { return x11test::readPixels(display, program.window(), 0, 0, kWidth, kHeight); };
  for (auto [x, y] : scene.sites) program.click(x, kHeight - y);
  program.key(XK_Left);
  // The sweep line shows, then leaves past the bottom edge; the picture then stays. A frame
  // or two before the end show no sweep line either, so the picture must hold for a while.
  std::vector<Rgb> last;
  auto holds = [&](bool withoutSweepLine) {
    auto since = std::chrono::steady_clock::now();
    return ProgramSession::waitFor(
        [&] {
          std::vector<Rgb> now = picture();
          const auto at = std::chrono::steady_clock::now();
          if (now != last || (withoutSweepLine && anyOf(now, kBlue))) {
            last = std::move(now);
            since = at;
            return false;
          }
          return at - since >= std::chrono::milliseconds(1000);
        },
        120000);
  };
  if (!ProgramSession::waitFor([&] { return anyOf(picture(), kBlue); }, 20000) || !holds(true)) {
    *whyNot = "the sweep did not finish";
    return {};
  }
  if (scene.delaunay) {
    program.key(XK_Right);
    const std::vector<Rgb> before = last;
    if (!ProgramSession::waitFor([&] { return picture() != before; }, 5000) || !holds(false)) {
      *whyNot = "the Delaunay edges did not appear";
      return {};
    }
  }
  // For a person to look at: the picture each build finished with.
  x11test::savePng(display, program.window(), std::string(scene.name) + "-" + side + ".png");
  program.stop();
  return last;
}

std::string describe(Rgb colour) {
  return "(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " +
         std::to_string(colour.b) + ")";
}

class SettledPicture : public x11test::XvfbTest, public ::testing::WithParamInterface<Scene> {};

TEST_P(SettledPicture, IsTheSameFromTheWindowsBuildAsFromTheLinuxBuild) {
  const Scene& scene = GetParam();
  std::string whyNot;
  const std::vector<Rgb> linux = settledPicture(display_, e2e::nativeProgram(), "linux", scene, &whyNot);
  ASSERT_EQ(linux.size(), static_cast<size_t>(kWidth * kHeight)) << "Linux: " << whyNot;
  const std::vector<Rgb> windows =
      settledPicture(display_, e2e::programUnderTest(), "windows", scene, &whyNot);
  ASSERT_EQ(windows.size(), linux.size()) << "Windows: " << whyNot;
  int differing = 0, first = -1;
  for (size_t i = 0; i < linux.size(); ++i) {
    if (linux[i] == windows[i]) continue;
    if (first < 0) first = static_cast<int>(i);
    ++differing;
  }
  if (differing > 0) {
    ADD_FAILURE() << differing << " pixels differ, the first at client (" << first % kWidth
                  << ", " << first / kWidth << "): Linux " << describe(linux[first])
                  << ", Windows " << describe(windows[first]);
  }
  // A blank picture would match too: the scene must have been drawn.
  int red = 0;
  for (const Rgb& p : linux) red += p == Rgb{255, 0, 0};
  EXPECT_GE(red, static_cast<int>(scene.sites.size()) * 20);
}

INSTANTIATE_TEST_SUITE_P(Scenes, SettledPicture, ::testing::ValuesIn(scenes()),
                         [](const ::testing::TestParamInfo<Scene>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
