#include "platform/x11/x11_swap_interval.h"

#include <cstring>

#include "platform/x11/x11_display.h"

namespace {

// The entry points, by the extensions' own signatures. glXGetProcAddress returns a pointer
// for any name it is asked about, so only the extension list says whether one may be called.
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);
using SwapIntervalSgi = int (*)(int);

template <typename Function>
Function entryPoint(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

bool hasGlxExtension(const char* extensions, const char* name) {
  if (extensions == nullptr || name == nullptr || *name == '\0') return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at != nullptr;
       at = std::strstr(at + 1, name)) {
    const bool startsWord = at == extensions || at[-1] == ' ';
    const bool endsWord = at[length] == ' ' || at[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}

SwapControl chooseSwapControl(const char* extensions) {
  if (hasGlxExtension(extensions, "GLX_EXT_swap_control")) return SwapControl::Ext;
  if (hasGlxExtension(extensions, "GLX_MESA_swap_control")) return SwapControl::Mesa;
  if (hasGlxExtension(extensions, "GLX_SGI_swap_control")) return SwapControl::Sgi;
  return SwapControl::Unavailable;
}

void x11RequestSwapInterval(Display* display, GLXDrawable drawable) {
  const SwapControl control =
      chooseSwapControl(glXQueryExtensionsString(display, DefaultScreen(display)));
  if (control == SwapControl::Unavailable) return;
  // A refusal changes nothing visible but the pace, so it is not reported.
  x11TrapErrors();
  switch (control) {
    case SwapControl::Ext:
      if (auto set = entryPoint<SwapIntervalExt>("glXSwapIntervalEXT")) set(display, drawable, 1);
      break;
    case SwapControl::Mesa:
      if (auto set = entryPoint<SwapIntervalMesa>("glXSwapIntervalMESA")) set(1);
      break;
    case SwapControl::Sgi:
      if (auto set = entryPoint<SwapIntervalSgi>("glXSwapIntervalSGI")) set(1);
      break;
    case SwapControl::Unavailable:
      break;
  }
  x11UntrapErrors();
}
