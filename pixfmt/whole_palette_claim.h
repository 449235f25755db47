#pragma once

#include "platform/platform.h"

// 1 when the palette is to claim the whole system palette: the format needs it, or the
// display-mode word asks for it.
int wfClaimsWholePalette(const PIXELFORMATDESCRIPTOR& format);
