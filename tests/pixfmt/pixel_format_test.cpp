// Choosing and setting the window's pixel format, and reading back the current one.
#include <cstring>
#include <string>

#include "tests/pixfmt/pixfmt_fixture.h"

using namespace pixfmttest;

namespace {

class PixelFormatRequest : public PixfmtTest {};

PIXELFORMATDESCRIPTOR requestFor(int32_t mode) {
  PIXELFORMATDESCRIPTOR request;
  std::memset(&request, 0xAB, sizeof request);  // every byte must be written
  wfRequestPixelFormat(nullptr, mode, &request);
  return request;
}

TEST_F(PixelFormatRequest, TheProgramsModeAsksForDoubleBufferedRgbaWithSixteenDepthBits) {
  PIXELFORMATDESCRIPTOR expected = {};
  expected.nSize = 40;
  expected.nVersion = 1;
  expected.dwFlags = 0x25;
  expected.iPixelType = PFD_TYPE_RGBA;
  expected.cColorBits = 24;
  expected.cDepthBits = 16;
  expected.iLayerType = PFD_MAIN_PLANE;
  const PIXELFORMATDESCRIPTOR request = requestFor(258);
  EXPECT_EQ(std::memcmp(&request, &expected, sizeof expected), 0)
      << "flags " << request.dwFlags << " colour " << int(request.cColorBits) << " depth "
      << int(request.cDepthBits);
}

TEST_F(PixelFormatRequest, DepthBitsFollowTheTwoDepthBitsWithSixteenWinning) {
  EXPECT_EQ(requestFor(WF_DEPTH).cDepthBits, 24);
  EXPECT_EQ(requestFor(WF_DEPTH | WF_DEPTH16).cDepthBits, 16);
  EXPECT_EQ(requestFor(WF_DEPTH16).cDepthBits, 16);
  EXPECT_EQ(requestFor(0).cDepthBits, 0);
  EXPECT_EQ(requestFor(WF_STENCIL).cStencilBits, 4);
  EXPECT_EQ(requestFor(0).dwFlags, 0x24u);  // single buffer
}

TEST_F(PixelFormatRequest, ColourIndexWithAccumAndAlphaAsksForEightSixteenAndEight) {
  const PIXELFORMATDESCRIPTOR index = requestFor(WF_INDEX | WF_ACCUM | WF_ALPHA);
  EXPECT_EQ(index.iPixelType, PFD_TYPE_COLORINDEX);
  EXPECT_EQ(index.cColorBits, 8);
  EXPECT_EQ(index.cAlphaBits, 8);
  EXPECT_EQ(index.cAccumBits, 16);
  const PIXELFORMATDESCRIPTOR rgba = requestFor(WF_ACCUM | WF_ALPHA);
  EXPECT_EQ(rgba.cAccumBits, 32);
  EXPECT_EQ(requestFor(WF_ACCUM).cAccumBits, 24);
}

TEST_F(PixelFormatRequest, TheChoosersAnswerIsReturnedUnchanged) {
  HDC dc = deviceContextWith({rgbaFormat(16, 0), rgbaFormat(24), rgbaFormat(24, 0)}, 0);
  PIXELFORMATDESCRIPTOR request;
  const int number = wfRequestPixelFormat(dc, 258, &request);
  EXPECT_GT(number, 0);
  EXPECT_EQ(number, ChoosePixelFormat(dc, &request));
}

// ---- The exact search ----------------------------------------------------------------------

class ExactSearch : public PixfmtTest {};

PIXELFORMATDESCRIPTOR withDepth(PIXELFORMATDESCRIPTOR f, BYTE depth) {
  f.cDepthBits = depth;
  return f;
}

TEST_F(ExactSearch, TheDeepestMatchWinsAndOfEqualDepthsTheLowerNumber) {
  const PIXELFORMATDESCRIPTOR f1 = withDepth(rgbaFormat(16), 16);
  PIXELFORMATDESCRIPTOR f2 = withDepth(rgbaFormat(24), 32);
  PIXELFORMATDESCRIPTOR f3 = withDepth(rgbaFormat(24), 16);
  f3.cRedBits = 99;  // tells f3's description from f2's
  const PIXELFORMATDESCRIPTOR f4 = withDepth(rgbaFormat(32, 0), 16);  // single buffer
  HDC dc = deviceContextWith({f1, f2, f3, f4}, 0);
  PIXELFORMATDESCRIPTOR found = {};
  EXPECT_EQ(wfSearchPixelFormats(dc, 258, &found), 2);
  EXPECT_EQ(std::memcmp(&found, &f2, sizeof f2), 0);

  wfFormatPolicy = WF_PF_EXACT;
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 1);
  EXPECT_EQ(GetPixelFormat(dc), 2);
}

TEST_F(ExactSearch, EveryRequirementSkipsAFormatThatMissesIt) {
  struct Case {
    const char* what;
    int32_t mode;
    PIXELFORMATDESCRIPTOR format;
  };
  PIXELFORMATDESCRIPTOR base = withDepth(rgbaFormat(24), 16);  // matches 258 exactly
  std::vector<Case> cases;
  auto change = [&](const char* what, int32_t mode, auto edit) {
    PIXELFORMATDESCRIPTOR f = base;
    edit(f);
    cases.push_back({what, mode, f});
  };
  change("no window drawing", 258, [](auto& f) { f.dwFlags &= ~PFD_DRAW_TO_WINDOW; });
  change("no OpenGL", 258, [](auto& f) { f.dwFlags &= ~PFD_SUPPORT_OPENGL; });
  change("overlay layer", 258, [](auto& f) { f.iLayerType = 1; });
  change("colour index", 258, [](auto& f) { f.iPixelType = PFD_TYPE_COLORINDEX; });
  change("RGBA for an index request", 258 | WF_INDEX, [](auto&) {});
  change("single buffer", 258, [](auto& f) { f.dwFlags &= ~PFD_DOUBLEBUFFER; });
  change("unwanted double buffer", WF_DEPTH16, [](auto&) {});
  change("unwanted accumulation", 258, [](auto& f) { f.cAccumBits = 32; });
  change("missing accumulation", 258 | WF_ACCUM, [](auto&) {});
  change("unwanted alpha", 258, [](auto& f) { f.cAlphaBits = 8; });
  change("missing alpha", 258 | WF_ALPHA, [](auto&) {});
  change("accumulation without alpha", 258 | WF_ALPHA | WF_ACCUM, [](auto& f) {
    f.cAlphaBits = 8;
    f.cAccumBits = 32;
  });
  change("unwanted depth", WF_DOUBLE, [](auto&) {});
  change("missing depth", WF_DOUBLE | WF_DEPTH, [](auto& f) { f.cDepthBits = 0; });
  change("unwanted stencil", 258, [](auto& f) { f.cStencilBits = 8; });
  change("missing stencil", 258 | WF_STENCIL, [](auto&) {});
  change("no colour bits", 258, [](auto& f) { f.cColorBits = 0; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    wfRestorePaletteState();
    resetPlatform();
    HDC dc = deviceContextWith({c.format}, 0);
    PIXELFORMATDESCRIPTOR found = {};
    EXPECT_EQ(wfSearchPixelFormats(dc, c.mode, &found), 0);
  }
}

TEST_F(ExactSearch, SizesAreNotComparedAndIndexRequestsIgnoreAccumAndAlpha) {
  PIXELFORMATDESCRIPTOR rgba = withDepth(rgbaFormat(24), 32);  // 32 depth bits for 16
  rgba.cAlphaBits = 1;
  rgba.cAccumBits = 64;
  rgba.cAccumAlphaBits = 1;
  rgba.cAuxBuffers = 4;
  const PIXELFORMATDESCRIPTOR index = indexFormat(8);  // no alpha, no accumulation
  HDC dc = deviceContextWith({rgba, index}, 0);
  PIXELFORMATDESCRIPTOR found;
  EXPECT_EQ(wfSearchPixelFormats(dc, 258 | WF_ALPHA | WF_ACCUM, &found), 1);
  EXPECT_EQ(wfSearchPixelFormats(dc, WF_INDEX | WF_DOUBLE | WF_ACCUM | WF_ALPHA, &found), 2);
}

TEST_F(ExactSearch, AFailedDescriptionEndsTheSearchWithNothing) {
  const PIXELFORMATDESCRIPTOR match = withDepth(rgbaFormat(24), 16);
  HDC dc = deviceContextWith({rgbaFormat(16, 0), match, match}, 0);
  failNext("DescribePixelFormat", 1);
  PIXELFORMATDESCRIPTOR found;
  EXPECT_EQ(wfSearchPixelFormats(dc, 258, &found), 0);
  // It does not go on to the formats that would match.
  EXPECT_EQ(callCount("DescribePixelFormat"), 1);

  wfFormatPolicy = WF_PF_EXACT;
  failNext("DescribePixelFormat", 1);
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  EXPECT_EQ(errorTexts(), std::vector<std::string>{"Selecting a pixel format failed\n"});
  EXPECT_EQ(GetPixelFormat(dc), 0);
  // Without the failure the same search finds format 2.
  EXPECT_EQ(wfSearchPixelFormats(dc, 258, &found), 2);
}

TEST_F(ExactSearch, ADescriptionFailingPartWayDropsTheCandidateFoundBeforeIt) {
  const PIXELFORMATDESCRIPTOR match = withDepth(rgbaFormat(24), 16);
  HDC dc = deviceContextWith({match, rgbaFormat(16, 0), match}, 0);
  PIXELFORMATDESCRIPTOR found;
  ASSERT_EQ(wfSearchPixelFormats(dc, 258, &found), 1);
  // Format 1 matches; the description of format 2 fails: the search gives nothing.
  failAfter("DescribePixelFormat", 1);
  EXPECT_EQ(wfSearchPixelFormats(dc, 258, &found), 0);
  // Three descriptions for the first search, two for the second: it stops at the failure.
  EXPECT_EQ(callCount("DescribePixelFormat"), 3 + 2);
}

// ---- The explicit number -------------------------------------------------------------------

class ExplicitFormat : public PixfmtTest {};

TEST_F(ExplicitFormat, ANumberThatNamesNoUsableFormatIsRefused) {
  PIXELFORMATDESCRIPTOR bitmapOnly = rgbaFormat(24);
  bitmapOnly.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL;
  PIXELFORMATDESCRIPTOR noOpenGl = rgbaFormat(24);
  noOpenGl.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_GDI;
  const std::vector<PIXELFORMATDESCRIPTOR> formats = {rgbaFormat(24), bitmapOnly, noOpenGl};
  for (int number : {0, -1, 4, 2, 3}) {
    SCOPED_TRACE(number);
    wfRestoreInitialState();
    resetPlatform();
    HDC dc = deviceContextWith(formats, 0);
    wfFormatPolicy = 0;
    wfFormatNumber = number;
    EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
    EXPECT_EQ(errorTexts(), std::vector<std::string>{"Selecting a pixel format failed\n"});
    EXPECT_EQ(GetPixelFormat(dc), 0);
  }
}

TEST_F(ExplicitFormat, AUsableNumberIsSetWhateverTheModeAsks) {
  HDC dc = deviceContextWith({rgbaFormat(24), indexFormat(8, 0)}, 0);
  wfFormatPolicy = 7;
  wfFormatNumber = 2;  // colour index, single buffer, for an RGBA double-buffer mode
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 1);
  EXPECT_EQ(GetPixelFormat(dc), 2);
  EXPECT_TRUE(errorTexts().empty());
  EXPECT_EQ(wfPalette, nullptr);  // colour index: no RGB palette
}

// ---- Setting the format ----------------------------------------------------------------------

class SetupPixelFormat : public PixfmtTest {};

TEST_F(SetupPixelFormat, AFormatThatNeedsNoPaletteIsSetWithoutOne) {
  HDC dc = deviceContextWith({withDepth(rgbaFormat(24), 16)}, 0);
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 1);
  EXPECT_EQ(GetPixelFormat(dc), 1);
  EXPECT_EQ(wfPalette, nullptr);
  EXPECT_TRUE(errorTexts().empty());
}

TEST_F(SetupPixelFormat, APaletteFormatGetsItsPaletteAtOnce) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 0);
  wfFormatPolicy = WF_PF_EXACT;
  EXPECT_EQ(wfSetupPixelFormat(dc, WF_DOUBLE), 1);
  ASSERT_NE(wfPalette, nullptr);
  EXPECT_EQ(GetPaletteEntries(wfPalette, 0, 0, nullptr), 256u);
}

TEST_F(SetupPixelFormat, NoFormatFoundIsReported) {
  HDC dc = deviceContextWith({indexFormat(8)}, 0);
  wfFormatPolicy = WF_PF_EXACT;
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  EXPECT_EQ(errorTexts(), std::vector<std::string>{"Selecting a pixel format failed\n"});
}

TEST_F(SetupPixelFormat, ARefusedSetIsReported) {
  HDC dc = deviceContextWith({withDepth(rgbaFormat(24), 16)}, 1);  // already set once
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  EXPECT_EQ(errorTexts(), std::vector<std::string>{"SetPixelFormat failed\n"});

  resetPlatform();
  dc = deviceContextWith({withDepth(rgbaFormat(24), 16)}, 0);
  failNext("SetPixelFormat", 1);
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  EXPECT_EQ(errorTexts(), std::vector<std::string>{"SetPixelFormat failed\n"});
}

TEST_F(SetupPixelFormat, WithErrorBoxesOffFailuresAreSilent) {
  HDC dc = deviceContextWith({indexFormat(8)}, 0);
  wfErrorBoxes = 0;
  wfFormatPolicy = WF_PF_EXACT;
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  wfFormatPolicy = 0;
  EXPECT_EQ(wfSetupPixelFormat(dc, 258), 0);
  EXPECT_TRUE(errorTexts().empty());
}

// ---- The current format ------------------------------------------------------------------------

class CurrentFormat : public PixfmtTest {};

TEST_F(CurrentFormat, ASetFormatIsReadBackWithItsDescription) {
  PIXELFORMATDESCRIPTOR second = withDepth(rgbaFormat(24), 24);
  second.cStencilBits = 8;
  HDC dc = deviceContextWith({rgbaFormat(16), second}, 2);
  PIXELFORMATDESCRIPTOR read = {};
  EXPECT_EQ(wfDescribeCurrentFormat(dc, &read), 2);
  EXPECT_EQ(std::memcmp(&read, &second, sizeof second), 0);
}

TEST_F(CurrentFormat, NoFormatIsReportedWithTheHandleInEightUpperCaseHexDigits) {
  HDC dc = deviceContextWith({rgbaFormat(24)}, 0);
  PIXELFORMATDESCRIPTOR untouched;
  std::memset(&untouched, 0x5A, sizeof untouched);
  EXPECT_EQ(wfDescribeCurrentFormat(dc, &untouched), 0);
  for (size_t i = 0; i < sizeof untouched; ++i) {
    ASSERT_EQ(reinterpret_cast<const BYTE*>(&untouched)[i], 0x5A) << "byte " << i;
  }
  const std::vector<std::string> texts = errorTexts();
  ASSERT_EQ(texts.size(), 1u);
  const std::string prefix = "Could not get pixel format for Dc 0x";
  const std::string& text = texts[0];
  ASSERT_EQ(text.size(), prefix.size() + 8 + 1) << text;
  EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
  EXPECT_EQ(text.back(), '\n');
  const std::string digits = text.substr(prefix.size(), 8);
  EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos) << digits;
  EXPECT_EQ(std::stoul(digits, nullptr, 16),
            static_cast<unsigned long>(reinterpret_cast<uintptr_t>(dc)));
}

TEST_F(CurrentFormat, AFormatThatCannotBeDescribedIsReportedByNumber) {
  HDC dc = deviceContextWith({rgbaFormat(16), rgbaFormat(16), rgbaFormat(24)}, 3);
  failNext("DescribePixelFormat", 1);
  PIXELFORMATDESCRIPTOR read;
  EXPECT_EQ(wfDescribeCurrentFormat(dc, &read), 0);
  EXPECT_EQ(errorTexts(),
            std::vector<std::string>{"Could not get a description of pixel format 3\n"});

  wfErrorBoxes = 0;
  failNext("DescribePixelFormat", 1);
  EXPECT_EQ(wfDescribeCurrentFormat(dc, &read), 0);
  EXPECT_EQ(errorTexts().size(), 1u);  // nothing more shown
}

}  // namespace
