// voronoi-icon: draws the program's icon from its own picture. A scripted scene runs through
// the frame routine without a window (the headless platform driver takes the buffer swaps,
// the GL call recorder the OpenGL calls) until the diagram is finished and its Delaunay edges
// are on; the last frame's edges, vertices and sites, inside a square around the scene,
// become an SVG on a rounded black tile. Strokes are drawn heavier than in the window so that
// the picture still reads at 48 pixels.
//
//   voronoi-icon OUTPUT.svg
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

namespace {

constexpr int kWidth = 985;
constexpr int kHeight = 730;

// The sites, in the program's coordinates (origin bottom-left): one cell in the middle
// with a ring of six around it and a wider ring that closes the six, a little irregular
// as clicks are.
const int kSites[][2] = {{492, 365}, {642, 372}, {570, 496}, {418, 492}, {340, 358},
                         {420, 236}, {566, 240}, {792, 372}, {646, 622}, {338, 618},
                         {190, 352}, {340, 104}, {648, 110}};

// The square of the window the icon shows, and its size in SVG units.
constexpr double kLeft = 282.0, kBottom = 155.0, kSide = 420.0;
constexpr double kIconSize = 256.0;
constexpr double kScale = kIconSize / kSide;

// Every frame until the line has passed the bottom, the Right arrow, one more frame; the
// calls of that frame stay recorded.
void drawFinishedDiagram() {
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  glrec::reset();
  glrec::setStoring(false);
  onReshape(kWidth, kHeight);
  for (const auto& site : kSites) {
    WfEvent press{WF_MOUSE_PRESS, site[0], kHeight - site[1], 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  while (sweepY > 0.0) drawFrame();
  onRightArrow();
  glrec::reset();
  drawFrame();
}

double iconX(double x) { return (x - kLeft) * kScale; }
double iconY(double y) { return (kBottom + kSide - y) * kScale; }
bool inside(double x, double y) {
  return x >= kLeft && x <= kLeft + kSide && y >= kBottom && y <= kBottom + kSide;
}

std::string hexColour(const double rgb[3]) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>(std::lround(rgb[0] * 255)),
                static_cast<int>(std::lround(rgb[1] * 255)),
                static_cast<int>(std::lround(rgb[2] * 255)));
  return text;
}

// Lines first (Delaunay under Voronoi, as the frame draws them), then vertices, then the
// sites on top, so that small marks are not hidden by the edges. The frame draws each edge
// twice, once per orientation; the icon draws it once.
std::string svgBody() {
  std::string lines, vertices, sites;
  std::set<std::tuple<double, double, double, double>> drawn;
  char element[256];
  for (const glrec::Primitive& p : glrec::primitives()) {
    if (p.mode == GL_LINES) {
      for (size_t i = 0; i + 1 < p.vertices.size(); i += 2) {
        const glrec::Vertex& a = p.vertices[i];
        const glrec::Vertex& b = p.vertices[i + 1];
        std::pair<double, double> from{a.x, a.y}, to{b.x, b.y};
        if (to < from) std::swap(from, to);
        if (!drawn.insert({from.first, from.second, to.first, to.second}).second) continue;
        std::snprintf(element, sizeof element,
                      "  <line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" stroke=\"%s\" "
                      "stroke-width=\"%.1f\"/>\n",
                      iconX(a.x), iconY(a.y), iconX(b.x), iconY(b.y),
                      hexColour(a.state.colour).c_str(), a.state.lineWidth * 2.5);
        lines += element;
      }
    } else if (p.mode == GL_POINTS) {
      for (const glrec::Vertex& v : p.vertices) {
        // The one-pixel marks of the breakpoint paths are too fine for an icon.
        if (v.state.pointSize < 2.0 || !inside(v.x, v.y)) continue;
        const double side = v.state.pointSize * 2.4;
        std::snprintf(element, sizeof element,
                      "  <rect x=\"%.2f\" y=\"%.2f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>\n",
                      iconX(v.x) - side / 2, iconY(v.y) - side / 2, side, side,
                      hexColour(v.state.colour).c_str());
        (v.state.pointSize >= 7.0 ? sites : vertices) += element;
      }
    }
  }
  return lines + vertices + sites;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: voronoi-icon OUTPUT.svg\n");
    return 2;
  }
  drawFinishedDiagram();
  FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const double corner = kIconSize * 0.12;
  std::fprintf(out,
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
               "viewBox=\"0 0 %.0f %.0f\">\n"
               "  <clipPath id=\"tile\"><rect width=\"%.0f\" height=\"%.0f\" rx=\"%.1f\"/></clipPath>\n"
               "  <rect width=\"%.0f\" height=\"%.0f\" rx=\"%.1f\" fill=\"#000000\"/>\n"
               "  <g clip-path=\"url(#tile)\" stroke-linecap=\"round\">\n",
               kIconSize, kIconSize, kIconSize, kIconSize, kIconSize, kIconSize, corner,
               kIconSize, kIconSize, corner);
  std::fputs(svgBody().c_str(), out);
  std::fputs("  </g>\n</svg>\n", out);
  return std::fclose(out) == 0 ? 0 : 1;
}
