// Virtual-key codes follow the Win32 table as the X11 driver applies it: letters and digits
// are their upper-case ASCII codes, named keys have fixed codes, punctuation takes the US
// layout's OEM codes, and the keypad's keys are named by their navigation meaning (X11's
// unshifted keypad keysyms), whatever Num Lock says.
#include "platform/web/web_keys.h"

#include <cstring>

namespace {

struct NamedKey {
  const char* code;
  UINT virtualKey;
  uint32_t character;  // what X11 types for the key, whatever the modifiers
};

constexpr NamedKey kNamedKeys[] = {
    {"Backspace", VK_BACK, 8},         {"Tab", VK_TAB, 9},
    {"Enter", VK_RETURN, 13},          {"NumpadEnter", VK_RETURN, 13},
    {"ShiftLeft", VK_SHIFT, 0},        {"ShiftRight", VK_SHIFT, 0},
    {"ControlLeft", VK_CONTROL, 0},    {"ControlRight", VK_CONTROL, 0},
    {"AltLeft", VK_MENU, 0},           {"AltRight", VK_MENU, 0},
    {"Pause", 0x13, 0},                {"CapsLock", VK_CAPITAL, 0},
    {"Escape", VK_ESCAPE, 27},         {"Space", VK_SPACE, 0},
    {"PageUp", VK_PRIOR, 0},           {"PageDown", VK_NEXT, 0},
    {"End", VK_END, 0},                {"Home", VK_HOME, 0},
    {"ArrowLeft", VK_LEFT, 0},         {"ArrowUp", VK_UP, 0},
    {"ArrowRight", VK_RIGHT, 0},       {"ArrowDown", VK_DOWN, 0},
    {"PrintScreen", 0x2C, 0},          {"Insert", VK_INSERT, 0},
    {"Delete", VK_DELETE, 0},          {"MetaLeft", 0x5B, 0},
    {"MetaRight", 0x5C, 0},            {"ContextMenu", 0x5D, 0},
    {"NumpadMultiply", 0x6A, 0},       {"NumpadAdd", 0x6B, 0},
    {"NumpadSubtract", 0x6D, 0},       {"NumpadDecimal", VK_DELETE, 0},
    {"NumpadDivide", 0x6F, 0},         {"Numpad0", VK_INSERT, 0},
    {"Numpad1", VK_END, 0},            {"Numpad2", VK_DOWN, 0},
    {"Numpad3", VK_NEXT, 0},           {"Numpad4", VK_LEFT, 0},
    {"Numpad6", VK_RIGHT, 0},          {"Numpad7", VK_HOME, 0},
    {"Numpad8", VK_UP, 0},             {"Numpad9", VK_PRIOR, 0},
    {"NumLock", 0x90, 0},              {"ScrollLock", 0x91, 0},
    {"Semicolon", 0xBA, 0},            {"Equal", 0xBB, 0},
    {"Comma", 0xBC, 0},                {"Minus", 0xBD, 0},
    {"Period", 0xBE, 0},               {"Slash", 0xBF, 0},
    {"Backquote", 0xC0, 0},            {"BracketLeft", 0xDB, 0},
    {"Backslash", 0xDC, 0},            {"BracketRight", 0xDD, 0},
    {"Quote", 0xDE, 0},
};
constexpr int kFunctionKeys = 24;  // VK_F1 .. VK_F24

bool startsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The one code point `key` holds, or 0 when it is a key name ("Enter") or empty.
uint32_t singleCodePoint(const char* key) {
  const auto* s = reinterpret_cast<const unsigned char*>(key);
  uint32_t c = 0;
  int more = 0;
  if (s[0] < 0x80) {
    c = s[0];
  } else if ((s[0] & 0xE0) == 0xC0) {
    c = s[0] & 0x1F;
    more = 1;
  } else if ((s[0] & 0xF0) == 0xE0) {
    c = s[0] & 0x0F;
    more = 2;
  } else if ((s[0] & 0xF8) == 0xF0) {
    c = s[0] & 0x07;
    more = 3;
  } else {
    return 0;
  }
  for (int i = 1; i <= more; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (s[i] & 0x3F);
  }
  return s[more] != 0 && s[more + 1] == 0 ? c : 0;
}

UINT virtualKeyOf(const char* code, uint32_t typed) {
  // Letters by what the layout types on the key, like X11's keysyms.
  if (typed >= 'a' && typed <= 'z') return 'A' + (typed - 'a');
  if (typed >= 'A' && typed <= 'Z') return typed;
  if (startsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z' && code[4] == 0)
    return static_cast<UINT>(code[3]);
  if (startsWith(code, "Digit") && code[5] >= '0' && code[5] <= '9' && code[6] == 0)
    return static_cast<UINT>(code[5]);
  if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
    int n = code[1] - '0';
    if (code[2] >= '0' && code[2] <= '9' && code[3] == 0) n = n * 10 + (code[2] - '0');
    else if (code[2] != 0) n = 0;
    if (n >= 1 && n <= kFunctionKeys) return static_cast<UINT>(VK_F1 + n - 1);
  }
  for (const NamedKey& key : kNamedKeys)
    if (std::strcmp(key.code, code) == 0) return key.virtualKey;
  return 0;
}

}  // namespace

WebKeyPress webTranslateKey(const char* code, const char* key, bool control) {
  uint32_t typed = singleCodePoint(key);
  WebKeyPress press{virtualKeyOf(code, typed), 0};
  for (const NamedKey& named : kNamedKeys) {
    if (std::strcmp(named.code, code) != 0) continue;
    if (named.virtualKey == VK_DELETE) return press;  // Delete types nothing on X11
    if (named.character != 0) typed = named.character;
  }
  // With Control, X11 types the control character of a letter or of @ [ \ ] ^ _.
  if (control && ((typed >= '@' && typed <= '_') || (typed >= 'a' && typed <= 'z')))
    typed &= 0x1F;
  press.character = typed;
  return press;
}
