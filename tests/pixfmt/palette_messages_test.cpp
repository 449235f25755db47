// The palette messages as the window procedure hands them over.
#include "tests/pixfmt/pixfmt_fixture.h"

using namespace pixfmttest;

namespace {

class PaletteMessages : public PixfmtTest {
 protected:
  LRESULT send(UINT message, WPARAM wParam) {
    LRESULT result = -7;
    EXPECT_TRUE(wfHandlePaletteMessage(wfWindow, message, wParam, 0, &result));
    return result;
  }
  LRESULT defaultResult(UINT message, WPARAM wParam) {
    return DefWindowProcA(wfWindow, message, wParam, 0);
  }
  // A window with a palette of its own that no realisation has mapped yet.
  void windowWithFreshPalette(const PIXELFORMATDESCRIPTOR& format) {
    deviceContextWith({format}, 1, true);
    wfPalette = distinctPalette(30);
  }
};

TEST_F(PaletteMessages, OtherMessagesAreLeftToTheCaller) {
  LRESULT result = -7;
  EXPECT_FALSE(wfHandlePaletteMessage(nullptr, WM_PAINT, 0, 0, &result));
  EXPECT_FALSE(wfHandlePaletteMessage(nullptr, WM_USER + 1, 0, 0, &result));
  EXPECT_EQ(result, -7);
}

TEST_F(PaletteMessages, ActivationRealisesInTheForegroundAndAnswersItself) {
  windowWithFreshPalette(threeThreeTwoFormat());
  occupySystemPalette();
  EXPECT_EQ(send(WM_ACTIVATE, WA_ACTIVE), 1);
  EXPECT_TRUE(holdsFirstFreeSlot(wfPalette));
  EXPECT_EQ(callCount("InvalidateRect"), 1);  // the mapping changed
}

TEST_F(PaletteMessages, ActivationWithNothingToRealiseGoesToDefaultProcessing) {
  deviceContextWith({threeThreeTwoFormat()}, 1, true);
  EXPECT_EQ(send(WM_ACTIVATE, WA_CLICKACTIVE), defaultResult(WM_ACTIVATE, WA_CLICKACTIVE));
  wfPalette = distinctPalette(30);
  EXPECT_EQ(send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1)),  // minimised
            defaultResult(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1)));
  EXPECT_EQ(callCount("RealizePalette"), 0);
  EXPECT_EQ(callCount("InvalidateRect"), 0);
}

TEST_F(PaletteMessages, DeactivationRealisesInTheBackgroundAndGivesTheColoursBack) {
  deviceContextWith({threeThreeTwoFormat(PFD_NEED_SYSTEM_PALETTE)}, 1, true);
  ASSERT_NE(wfBuildRgbPalette(wfDeviceContext), nullptr);
  ASSERT_EQ(wfStaticColoursTaken, 1);
  const int selections = callCount("SelectPalette");
  EXPECT_EQ(send(WM_ACTIVATE, WA_INACTIVE), defaultResult(WM_ACTIVATE, WA_INACTIVE));
  EXPECT_EQ(wfStaticColoursTaken, 0);
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(callCount("SelectPalette"), selections + 1);
}

TEST_F(PaletteMessages, AFailedRealisationAsksForNoRepaint) {
  windowWithFreshPalette(threeThreeTwoFormat());
  failNext("RealizePalette", 1);
  EXPECT_EQ(send(WM_ACTIVATE, WA_ACTIVE), 1);
  EXPECT_EQ(callCount("InvalidateRect"), 0);
}

TEST_F(PaletteMessages, QueryNewPaletteAnswersOneAndRealisesNothing) {
  windowWithFreshPalette(threeThreeTwoFormat());
  EXPECT_EQ(send(WM_QUERYNEWPALETTE, 0), 1);
  EXPECT_EQ(callCount("RealizePalette"), 0);
  EXPECT_EQ(callCount("SelectPalette"), 0);
}

TEST_F(PaletteMessages, PaletteChangedRemapsInTheBackgroundOnlyWhenAnotherWindowCausedIt) {
  windowWithFreshPalette(threeThreeTwoFormat());
  occupySystemPalette();
  const int occupierSelections = callCount("SelectPalette");
  const int occupierRealisations = callCount("RealizePalette");
  auto selections = [&] { return callCount("SelectPalette") - occupierSelections; };
  auto realisations = [&] { return callCount("RealizePalette") - occupierRealisations; };
  const WPARAM other = 0x4242;
  EXPECT_EQ(send(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(wfWindow)), 0);
  EXPECT_EQ(selections(), 0);

  wfStaticColoursTaken = 1;
  EXPECT_EQ(send(WM_PALETTECHANGED, other), 0);
  EXPECT_EQ(selections(), 0);
  wfStaticColoursTaken = 0;

  HPALETTE palette = wfPalette;
  wfPalette = nullptr;
  EXPECT_EQ(send(WM_PALETTECHANGED, other), 0);
  EXPECT_EQ(selections(), 0);
  wfPalette = palette;

  EXPECT_EQ(send(WM_PALETTECHANGED, other), 0);
  EXPECT_EQ(selections(), 1);
  EXPECT_EQ(realisations(), 1);
  EXPECT_FALSE(holdsFirstFreeSlot(wfPalette)) << "realised in the foreground";

  failNext("SelectPalette", 1);
  EXPECT_EQ(send(WM_PALETTECHANGED, other), 0);
  EXPECT_EQ(realisations(), 1);
}

TEST_F(PaletteMessages, TheDeferredRequestRealisesAndRepaints) {
  windowWithFreshPalette(threeThreeTwoFormat());
  occupySystemPalette();
  EXPECT_EQ(send(WM_USER, 0), 0);
  EXPECT_TRUE(holdsFirstFreeSlot(wfPalette));
  EXPECT_EQ(callCount("InvalidateRect"), 1);

  wfPalette = nullptr;  // nothing to realise: no repaint
  EXPECT_EQ(send(WM_USER, 0), 0);
  EXPECT_EQ(callCount("InvalidateRect"), 1);
}

TEST_F(PaletteMessages, ASystemColourChangeRebuildsAnRgbPalette) {
  deviceContextWith({threeThreeTwoFormat()}, 1, true);
  HPALETTE old = wfBuildRgbPalette(wfDeviceContext);
  ASSERT_NE(old, nullptr);
  const int invalidations = callCount("InvalidateRect");
  EXPECT_EQ(send(WM_SYSCOLORCHANGE, 0), defaultResult(WM_SYSCOLORCHANGE, 0));
  ASSERT_NE(wfPalette, nullptr);
  EXPECT_NE(wfPalette, old);
  EXPECT_EQ(GetPaletteEntries(old, 0, 0, nullptr), 0u) << "the old palette still exists";
  EXPECT_EQ(GetPaletteEntries(wfPalette, 0, 0, nullptr), 256u);
  EXPECT_EQ(callCount("InvalidateRect"), invalidations + 1);
}

TEST_F(PaletteMessages, AFailedRebuildKeepsTheOldPalette) {
  deviceContextWith({threeThreeTwoFormat()}, 1, true);
  HPALETTE old = wfBuildRgbPalette(wfDeviceContext);
  ASSERT_NE(old, nullptr);
  failNext("LocalAlloc", 1);
  send(WM_SYSCOLORCHANGE, 0);
  EXPECT_EQ(wfPalette, old);
  EXPECT_EQ(GetPaletteEntries(old, 0, 0, nullptr), 256u);
}

TEST_F(PaletteMessages, TheBroadcastAfterGivingBackDoesNotTakeTheColoursAgain) {
  deviceContextWith({threeThreeTwoFormat(PFD_NEED_SYSTEM_PALETTE)}, 1, true);
  HPALETTE palette = wfBuildRgbPalette(wfDeviceContext);
  ASSERT_NE(palette, nullptr);
  send(WM_ACTIVATE, WA_INACTIVE);
  ASSERT_EQ(wfStaticColoursTaken, 0);
  ASSERT_EQ(broadcastCount(WM_SYSCOLORCHANGE), 2);  // taking, giving back
  send(WM_SYSCOLORCHANGE, 0);  // the one that giving back broadcast
  EXPECT_EQ(wfStaticColoursTaken, 0);
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(wfPalette, palette);
}

TEST_F(PaletteMessages, AColourIndexPaletteIsNeverRebuilt) {
  deviceContextWith({indexFormat(8)}, 1, true);
  HPALETTE palette = wfBuildIndexPalette(wfDeviceContext);
  ASSERT_NE(palette, nullptr);
  const int created = callCount("CreatePalette");
  send(WM_SYSCOLORCHANGE, 0);
  EXPECT_EQ(wfPalette, palette);
  EXPECT_EQ(callCount("CreatePalette"), created);
}

}  // namespace
