// The 20 static colours of the system palette: the first 10 and the last 10 of its 256
// entries while it is in static use, and the whole of the stock default palette.
#include "platform/core/gdi_objects.h"

namespace {
const PALETTEENTRY kStaticColours[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};
}  // namespace

const PALETTEENTRY* platformStaticColours() { return kStaticColours; }
