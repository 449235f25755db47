#include "platform/core/core_reset.h"

#include "platform/core/capture.h"
#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/focus.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/message_queue.h"
#include "platform/core/process_services.h"
#include "platform/core/registry.h"
#include "platform/core/render_contexts.h"
#include "platform/core/system_colours.h"
#include "platform/core/system_palette.h"
#include "platform/core/window_classes.h"
#include "platform/core/window_records.h"

void platformResetCore() {
  platformResetWindows();
  platformResetClasses();
  platformResetQueue();
  platformSetFocusWindow(nullptr);
  platformResetCapture();
  platformResetGdiObjects();
  platformResetSystemPalette();
  platformResetSystemColours();
  platformResetRegistry();
  platformResetProcessServices();
  platformResetRenderContexts();
  platformResetFailures();
  platformForgetConnection();
}
