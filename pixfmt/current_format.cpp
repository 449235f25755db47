// Which pixel format a device context carries, and its description.
#include <cstdint>

#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

int wfDescribeCurrentFormat(HDC dc, PIXELFORMATDESCRIPTOR* descriptor) {
  const int number = GetPixelFormat(dc);
  if (number <= 0) {
    // Handles are 32-bit values: the message shows exactly eight hex digits.
    const unsigned long handleBits =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dc));
    wfReportError("Could not get pixel format for Dc 0x%08lX\n", handleBits);
    return 0;
  }
  if (DescribePixelFormat(dc, number, sizeof(PIXELFORMATDESCRIPTOR), descriptor) > 0) {
    return number;
  }
  wfReportError("Could not get a description of pixel format %d\n", number);
  return 0;
}
