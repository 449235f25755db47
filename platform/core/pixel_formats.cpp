// Pixel formats: the driver's list numbered from 1, described in the 40-byte descriptor,
// chosen by closeness to a request, and set once per device context.
#include <cstdlib>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/window_records.h"

namespace {

int formatCount() {
  if (!platformConnected()) return 0;
  return platformDriver()->formatCount();
}

bool describe(int number, PIXELFORMATDESCRIPTOR* descriptor) {
  if (number < 1 || number > formatCount()) return false;
  PIXELFORMATDESCRIPTOR described = {};
  if (!platformDriver()->describeFormat(number, &described)) return false;
  *descriptor = described;
  return true;
}

// How well a format meets a request; smaller is better, compared field by field in order.
struct Fitness {
  int doubleBufferMismatch;
  int colourDistance;
  int depthPresenceMismatch;
  int stencilPresenceMismatch;
  int alphaPresenceMismatch;
  int accumPresenceMismatch;
  int depthDistance;
};

bool better(const Fitness& a, const Fitness& b) {
  const int left[] = {a.doubleBufferMismatch,   a.colourDistance,        a.depthPresenceMismatch,
                      a.stencilPresenceMismatch, a.alphaPresenceMismatch, a.accumPresenceMismatch,
                      a.depthDistance};
  const int right[] = {b.doubleBufferMismatch,   b.colourDistance,        b.depthPresenceMismatch,
                       b.stencilPresenceMismatch, b.alphaPresenceMismatch, b.accumPresenceMismatch,
                       b.depthDistance};
  for (int i = 0; i < 7; ++i)
    if (left[i] != right[i]) return left[i] < right[i];
  return false;
}

int presenceMismatch(int requested, int offered) { return (requested > 0) != (offered > 0); }

}  // namespace

// The closest format to the request:
//   - a candidate has the requested pixel type, lies in the main plane, and has every one
//     of PFD_DRAW_TO_WINDOW, PFD_DRAW_TO_BITMAP, PFD_SUPPORT_GDI and PFD_SUPPORT_OPENGL
//     that the request asks for;
//   - among the candidates, prefer in this order: the requested double-buffer flag; the
//     colour depth nearest to the requested one; a depth buffer, then a stencil buffer,
//     then an alpha channel, then an accumulation buffer present exactly when requested;
//     the depth-buffer size nearest to the requested one;
//   - among equals the lowest number wins.
// 0 when no format is a candidate.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
  if (platformInjectedFailure("ChoosePixelFormat")) return 0;
  if (platformFindDeviceContext(dc) == nullptr || request == nullptr) return 0;
  const DWORD required = request->dwFlags & (PFD_DRAW_TO_WINDOW | PFD_DRAW_TO_BITMAP |
                                             PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL);
  int best = 0;
  Fitness bestFitness{};
  const int count = formatCount();
  for (int number = 1; number <= count; ++number) {
    PIXELFORMATDESCRIPTOR format;
    if (!describe(number, &format)) continue;
    if (format.iPixelType != request->iPixelType || format.iLayerType != PFD_MAIN_PLANE) continue;
    if ((format.dwFlags & required) != required) continue;
    const Fitness fitness{
        ((format.dwFlags ^ request->dwFlags) & PFD_DOUBLEBUFFER) != 0,
        std::abs(int(format.cColorBits) - int(request->cColorBits)),
        presenceMismatch(request->cDepthBits, format.cDepthBits),
        presenceMismatch(request->cStencilBits, format.cStencilBits),
        presenceMismatch(request->cAlphaBits, format.cAlphaBits),
        presenceMismatch(request->cAccumBits, format.cAccumBits),
        std::abs(int(format.cDepthBits) - int(request->cDepthBits)),
    };
    if (best == 0 || better(fitness, bestFitness)) {
      best = number;
      bestFitness = fitness;
    }
  }
  return best;
}

// The number of formats; the descriptor is filled only for a valid number and a size of at
// least 40. Without a descriptor the count is returned whatever the number.
int DescribePixelFormat(HDC dc, int number, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) {
  if (platformInjectedFailure("DescribePixelFormat")) return 0;
  if (platformFindDeviceContext(dc) == nullptr) return 0;
  const int count = formatCount();
  if (descriptor == nullptr) return count;
  if (number < 1 || number > count) return 0;
  if (bytes < sizeof(PIXELFORMATDESCRIPTOR)) return count;
  if (!describe(number, descriptor)) return 0;
  return count;
}

// Once per device context: a second call fails, as does a number out of range. The
// descriptor argument is not consulted (the number alone names the format).
BOOL SetPixelFormat(HDC dc, int number, const PIXELFORMATDESCRIPTOR*) {
  if (platformInjectedFailure("SetPixelFormat")) return FALSE;
  DeviceContextRecord* record = platformFindDeviceContext(dc);
  if (record == nullptr || record->pixelFormat != 0) return FALSE;
  if (number < 1 || number > formatCount()) return FALSE;
  if (record->window != nullptr) {
    const WindowRecord* window = platformFindWindow(record->window);
    if (window == nullptr || !platformDriver()->setFormat(window->driverWindow, number))
      return FALSE;
    record = platformFindDeviceContext(dc);  // the driver may have reported events meanwhile
    if (record == nullptr) return FALSE;
  }
  record->pixelFormat = number;
  return TRUE;
}

int GetPixelFormat(HDC dc) {
  if (platformInjectedFailure("GetPixelFormat")) return 0;
  const DeviceContextRecord* record = platformFindDeviceContext(dc);
  return record == nullptr ? 0 : record->pixelFormat;
}
