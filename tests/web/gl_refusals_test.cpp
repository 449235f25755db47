// The browser's GL subset refuses what GL refuses: the refusal table played into it, and its
// frame read back in the table's form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/web/web_gl.h"
#include "tests/platform/gl_refusal_cases.h"

namespace {

std::string colour(const WebVertex& v) {
  return " colour " + std::to_string(v.r) + " " + std::to_string(v.g) + " " + std::to_string(v.b);
}

std::vector<std::string> drawn(const WebFrame& f) {
  std::vector<std::string> out;
  if (f.cleared) {
    const auto byte = [&](int i) { return std::to_string(static_cast<int>(f.clearColour[i] * 255.0f + 0.5f)); };
    out.push_back("clear " + byte(0) + " " + byte(1) + " " + byte(2));
  }
  for (const WebDraw& d : std::vector<WebDraw>(f.draws, f.draws + f.drawCount)) {
    const WebVertex* v = f.vertices + d.first;
    for (uint32_t i = 0; d.kind == WebDrawKind::Points && i < d.count; ++i)
      out.push_back("point " + std::to_string(static_cast<int>(std::floor(v[i].x))) + " " +
                    std::to_string(static_cast<int>(std::floor(v[i].y))) + " size " +
                    std::to_string(static_cast<int>(v[i].size)) + colour(v[i]));
    for (uint32_t i = 0; d.kind == WebDrawKind::Lines && i + 1 < d.count; i += 2)
      out.push_back("line width 1");
    // A wide line is the two triangles of its quad; the rows' lines are horizontal.
    for (uint32_t i = 0; d.kind == WebDrawKind::Triangles && i + 5 < d.count; i += 6) {
      const auto [low, high] = std::minmax_element(
          v + i, v + i + 6, [](const WebVertex& a, const WebVertex& b) { return a.y < b.y; });
      out.push_back("line width " + std::to_string(static_cast<int>(high->y - low->y)));
    }
  }
  return out;
}

TEST(GlRefusals, TheBrowsersSubsetDrawsWhatGlDraws) {
  webGlSetPointCulling(false);  // all the rows' points change pixels; culling is proven apart
  for (const RefusalCase& row : refusal::cases()) {
    refusal::startRow();
    webGlStartFrame();
    row.play();
    EXPECT_EQ(drawn(webGlFrame()), row.drawn) << row.name;
  }
  webGlSetPointCulling(true);
}

}  // namespace
