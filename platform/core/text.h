#pragma once

#include <string>

#include "platform/platform.h"

// UTF-16 (with surrogate pairs) to UTF-8; a lone surrogate becomes U+FFFD. Null gives "".
std::string platformUtf8(const WCHAR* text);
