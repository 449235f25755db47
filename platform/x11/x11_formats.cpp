// Lists the window-capable GLX framebuffer configurations once per connection and
// describes each in the Win32 descriptor form the pixel-format code reads.
#include "platform/x11/x11_formats.h"

#include <vector>

#include "platform/x11/x11_display.h"

namespace {

std::vector<X11Format> formats;
bool listed = false;

int attribute(GLXFBConfig config, int name) {
  int value = 0;
  if (glXGetFBConfigAttrib(x11Display(), config, name, &value) != Success) return 0;
  return value;
}

int bitCount(unsigned long mask) { return __builtin_popcountl(mask); }
int lowestBit(unsigned long mask) { return mask == 0 ? 0 : __builtin_ctzl(mask); }

PIXELFORMATDESCRIPTOR describe(GLXFBConfig config, const XVisualInfo& visual, bool rgba) {
  PIXELFORMATDESCRIPTOR d{};
  d.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  d.nVersion = 1;
  d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (attribute(config, GLX_DOUBLEBUFFER)) d.dwFlags |= PFD_DOUBLEBUFFER;
  if (attribute(config, GLX_STEREO)) d.dwFlags |= PFD_STEREO;
  bool indexedVisual = visual.c_class == PseudoColor || visual.c_class == GrayScale;
  if (rgba && indexedVisual && x11IsPaletteDisplay()) d.dwFlags |= PFD_NEED_PALETTE;

  d.iPixelType = rgba ? PFD_TYPE_RGBA : PFD_TYPE_COLORINDEX;
  if (rgba && !indexedVisual) {
    // Decomposed visuals: the masks say where each channel sits in a pixel.
    d.cRedBits = static_cast<BYTE>(bitCount(visual.red_mask));
    d.cRedShift = static_cast<BYTE>(lowestBit(visual.red_mask));
    d.cGreenBits = static_cast<BYTE>(bitCount(visual.green_mask));
    d.cGreenShift = static_cast<BYTE>(lowestBit(visual.green_mask));
    d.cBlueBits = static_cast<BYTE>(bitCount(visual.blue_mask));
    d.cBlueShift = static_cast<BYTE>(lowestBit(visual.blue_mask));
    d.cColorBits = static_cast<BYTE>(d.cRedBits + d.cGreenBits + d.cBlueBits);
  } else if (rgba) {
    d.cRedBits = static_cast<BYTE>(attribute(config, GLX_RED_SIZE));
    d.cGreenBits = static_cast<BYTE>(attribute(config, GLX_GREEN_SIZE));
    d.cBlueBits = static_cast<BYTE>(attribute(config, GLX_BLUE_SIZE));
    d.cColorBits = static_cast<BYTE>(d.cRedBits + d.cGreenBits + d.cBlueBits);
  } else {
    d.cColorBits = static_cast<BYTE>(attribute(config, GLX_BUFFER_SIZE));
  }

  d.cAlphaBits = static_cast<BYTE>(rgba ? attribute(config, GLX_ALPHA_SIZE) : 0);
  if (d.cAlphaBits != 0 && visual.depth < 64) {
    // Alpha takes the bits of the pixel that no colour channel uses.
    unsigned long pixelBits = (1ul << visual.depth) - 1;
    unsigned long alphaMask =
        pixelBits & ~(visual.red_mask | visual.green_mask | visual.blue_mask);
    d.cAlphaShift = static_cast<BYTE>(lowestBit(alphaMask));
  }

  d.cAccumRedBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_RED_SIZE));
  d.cAccumGreenBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_GREEN_SIZE));
  d.cAccumBlueBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_BLUE_SIZE));
  d.cAccumAlphaBits = static_cast<BYTE>(attribute(config, GLX_ACCUM_ALPHA_SIZE));
  d.cAccumBits = static_cast<BYTE>(d.cAccumRedBits + d.cAccumGreenBits + d.cAccumBlueBits +
                                   d.cAccumAlphaBits);
  d.cDepthBits = static_cast<BYTE>(attribute(config, GLX_DEPTH_SIZE));
  d.cStencilBits = static_cast<BYTE>(attribute(config, GLX_STENCIL_SIZE));
  d.cAuxBuffers = static_cast<BYTE>(attribute(config, GLX_AUX_BUFFERS));
  d.iLayerType = PFD_MAIN_PLANE;
  return d;
}

// A configuration is offered when it can render to a window of the main plane through a
// visual. Multisampled ones are left out: the descriptor has no field for samples, so
// they would only appear as indistinguishable twins of single-sampled formats.
bool offered(GLXFBConfig config) {
  if ((attribute(config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) == 0) return false;
  if ((attribute(config, GLX_RENDER_TYPE) & (GLX_RGBA_BIT | GLX_COLOR_INDEX_BIT)) == 0)
    return false;
  if (attribute(config, GLX_VISUAL_ID) == 0) return false;
  if (attribute(config, GLX_LEVEL) != 0) return false;
  if (attribute(config, GLX_SAMPLE_BUFFERS) != 0) return false;
  return true;
}

void listFormats() {
  listed = true;
  formats.clear();
  Display* display = x11Display();
  if (display == nullptr) return;
  int errorBase = 0, eventBase = 0;
  if (!glXQueryExtension(display, &errorBase, &eventBase)) return;

  int count = 0;
  GLXFBConfig* configs = glXGetFBConfigs(display, x11Screen(), &count);
  if (configs == nullptr) return;
  for (int i = 0; i < count; ++i) {
    if (!offered(configs[i])) continue;
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, configs[i]);
    if (visual == nullptr) continue;
    bool rgba = (attribute(configs[i], GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
    formats.push_back({configs[i], *visual, rgba, describe(configs[i], *visual, rgba)});
    XFree(visual);
  }
  XFree(configs);
}

}  // namespace

int x11FormatCount() {
  if (!listed) listFormats();
  return static_cast<int>(formats.size());
}

const X11Format* x11FormatAt(int number) {
  if (number < 1 || number > x11FormatCount()) return nullptr;
  return &formats[static_cast<size_t>(number - 1)];
}

// Only on such a display can an RGBA format need a palette.
bool x11IsPaletteDisplay() {
  if (x11Display() == nullptr) return false;
  Visual* visual = DefaultVisual(x11Display(), x11Screen());
  return visual->c_class == PseudoColor || visual->c_class == GrayScale;
}

void x11ForgetFormats() {
  formats.clear();
  listed = false;
}
