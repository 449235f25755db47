// The system colours that a whole-palette window turns black and white while it holds
// the static colours, and the user's own colours kept to give back.
#include "pixfmt/pixfmt.h"
#include "pixfmt/sys_colour_count.h"

namespace {
constexpr COLORREF kWhite = PALETTERGB(255, 255, 255);
constexpr COLORREF kBlack = PALETTERGB(0, 0, 0);
}  // namespace

const int wfSysColourIndices[WF_MAX_SYS_COLOURS] = {0,  1,  2,  3,  4,  5,  6,  7,  8,
                                                    9,  10, 11, 12, 13, 14, 15, 16, 17,
                                                    18, 19, 20, 21, 22, 23, 24};

const COLORREF wfMonoSysColours[WF_MAX_SYS_COLOURS] = {
    kWhite, kBlack, kBlack, kWhite, kWhite,  // scroll bar .. menu
    kWhite, kBlack, kBlack, kBlack, kWhite,  // window .. title text
    kWhite, kWhite, kWhite, kBlack, kWhite,  // active border .. highlight text
    kWhite, kBlack, kBlack, kBlack, kBlack,  // button face .. inactive title text
    kBlack, kBlack, kWhite, kBlack, kWhite,  // button highlight .. info window
};

const char* const wfSysColourNames[WF_MAX_SYS_COLOURS] = {
    "Scrollbar",     "Background",     "ActiveTitle",  "InactiveTitle",     "Menu",
    "Window",        "WindowFrame",    "MenuText",     "WindowText",        "TitleText",
    "ActiveBorder",  "InactiveBorder", "AppWorkspace", "Hilight",           "HilightText",
    "ButtonFace",    "ButtonShadow",   "GrayText",     "ButtonText",        "InactiveTitleText",
    "ButtonHilight", "ButtonDkShadow", "ButtonLight",  "InfoText",          "InfoWindow",
};

COLORREF wfSavedSysColours[WF_MAX_SYS_COLOURS] = {};

int wfSysColoursInUse() {
  if (wfSysColourCount < 0) return 0;
  return wfSysColourCount < WF_MAX_SYS_COLOURS ? wfSysColourCount : WF_MAX_SYS_COLOURS;
}
