#include "platform/core/text.h"

namespace {

void appendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xc0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xe0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (code & 0x3f));
  }
}

}  // namespace

std::string platformUtf8(const WCHAR* text) {
  std::string out;
  if (text == nullptr) return out;
  for (size_t i = 0; text[i] != 0; ++i) {
    uint32_t unit = text[i];
    if (unit >= 0xd800 && unit < 0xdc00 && text[i + 1] >= 0xdc00 && text[i + 1] < 0xe000) {
      unit = 0x10000 + ((unit - 0xd800) << 10) + (text[i + 1] - 0xdc00);
      ++i;
    } else if (unit >= 0xd800 && unit < 0xe000) {
      unit = 0xfffd;
    }
    appendUtf8(out, unit);
  }
  return out;
}
