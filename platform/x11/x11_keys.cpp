// Virtual-key codes follow the Win32 table: letters and digits are their upper-case ASCII
// codes, named keys have fixed codes, punctuation takes the US layout's OEM codes.
#include "platform/x11/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>

namespace {

// Codes the rest of the platform never names, so they live here.
constexpr UINT kVkPause = 0x13;
constexpr UINT kVkPrintScreen = 0x2C;
constexpr UINT kVkLeftWindows = 0x5B;
constexpr UINT kVkRightWindows = 0x5C;
constexpr UINT kVkApplications = 0x5D;
constexpr UINT kVkNumpad0 = 0x60;
constexpr UINT kVkMultiply = 0x6A;
constexpr UINT kVkAdd = 0x6B;
constexpr UINT kVkSubtract = 0x6D;
constexpr UINT kVkDecimal = 0x6E;
constexpr UINT kVkDivide = 0x6F;
constexpr UINT kVkNumLock = 0x90;
constexpr UINT kVkScrollLock = 0x91;
constexpr UINT kVkOemSemicolon = 0xBA;
constexpr UINT kVkOemPlus = 0xBB;
constexpr UINT kVkOemComma = 0xBC;
constexpr UINT kVkOemMinus = 0xBD;
constexpr UINT kVkOemPeriod = 0xBE;
constexpr UINT kVkOemSlash = 0xBF;
constexpr UINT kVkOemBackquote = 0xC0;
constexpr UINT kVkOemOpenBracket = 0xDB;
constexpr UINT kVkOemBackslash = 0xDC;
constexpr UINT kVkOemCloseBracket = 0xDD;
constexpr UINT kVkOemQuote = 0xDE;
constexpr int kFunctionKeys = 24;  // VK_F1 .. VK_F24

struct NamedKey {
  KeySym keysym;
  UINT virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {XK_BackSpace, VK_BACK},       {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},     {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},      {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},        {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},           {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},          {XK_Pause, kVkPause},
    {XK_Caps_Lock, VK_CAPITAL},    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},          {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},            {XK_End, VK_END},
    {XK_Home, VK_HOME},            {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},                {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},            {XK_Print, kVkPrintScreen},
    {XK_Insert, VK_INSERT},        {XK_Delete, VK_DELETE},
    {XK_Super_L, kVkLeftWindows},  {XK_Super_R, kVkRightWindows},
    {XK_Menu, kVkApplications},    {XK_KP_Multiply, kVkMultiply},
    {XK_KP_Add, kVkAdd},           {XK_KP_Subtract, kVkSubtract},
    {XK_KP_Decimal, kVkDecimal},   {XK_KP_Divide, kVkDivide},
    {XK_KP_Home, VK_HOME},         {XK_KP_End, VK_END},
    {XK_KP_Prior, VK_PRIOR},       {XK_KP_Next, VK_NEXT},
    {XK_KP_Left, VK_LEFT},         {XK_KP_Up, VK_UP},
    {XK_KP_Right, VK_RIGHT},       {XK_KP_Down, VK_DOWN},
    {XK_KP_Insert, VK_INSERT},     {XK_KP_Delete, VK_DELETE},
    {XK_Num_Lock, kVkNumLock},     {XK_Scroll_Lock, kVkScrollLock},
    {XK_semicolon, kVkOemSemicolon}, {XK_equal, kVkOemPlus},
    {XK_comma, kVkOemComma},       {XK_minus, kVkOemMinus},
    {XK_period, kVkOemPeriod},     {XK_slash, kVkOemSlash},
    {XK_grave, kVkOemBackquote},   {XK_bracketleft, kVkOemOpenBracket},
    {XK_backslash, kVkOemBackslash}, {XK_bracketright, kVkOemCloseBracket},
    {XK_apostrophe, kVkOemQuote},
};

bool isDeleteKey(KeySym keysym) { return keysym == XK_Delete || keysym == XK_KP_Delete; }

}  // namespace

UINT x11VirtualKeyOf(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<UINT>('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<UINT>('A' + (keysym - XK_A));
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<UINT>('0' + (keysym - XK_0));
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
    return static_cast<UINT>(kVkNumpad0 + (keysym - XK_KP_0));
  if (keysym >= XK_F1 && keysym < XK_F1 + kFunctionKeys)
    return static_cast<UINT>(VK_F1 + (keysym - XK_F1));
  for (const NamedKey& key : kNamedKeys)
    if (key.keysym == keysym) return key.virtualKey;
  return 0;
}

X11KeyPress x11TranslateKey(XKeyEvent* event) {
  // The key's identity is its keysym without modifiers: Shift+1 is still the '1' key.
  KeySym unshifted = XLookupKeysym(event, 0);
  X11KeyPress press{x11VirtualKeyOf(unshifted), 0};

  char text[8];
  KeySym shifted = NoSymbol;
  int length = XLookupString(event, text, sizeof text, &shifted, nullptr);
  if (isDeleteKey(shifted)) return press;  // Delete types nothing, like the other editing keys
  if (length == 1) {
    // XLookupString yields Latin-1, so the byte is the character's code point.
    press.character = static_cast<unsigned char>(text[0]);
  } else if (length == 0 && shifted >= 0x01000100 && shifted <= 0x0110FFFF) {
    // Keysyms beyond Latin-1 carry their Unicode code point directly.
    press.character = static_cast<uint32_t>(shifted - 0x01000000);
  }
  return press;
}
