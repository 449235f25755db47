// The program's icon for window managers and task bars that read _NET_WM_ICON.
#pragma once

#include <cstddef>
#include <cstdint>

// The property's items: for each image its width, its height, then width x height pixels as
// 0xAARRGGBB (alpha not premultiplied), row by row from the top-left. Written by the build
// from the committed PNGs of data/icons (x11_icon_generator.cpp).
extern const uint32_t x11IconCardinals[];
extern const size_t x11IconCardinalCount;
