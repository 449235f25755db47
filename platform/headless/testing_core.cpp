// Test hooks into the core's emulated state.
#include <cstdio>
#include <cstdlib>

#include "platform/core/capture.h"
#include "platform/core/failure_injection.h"
#include "platform/core/focus.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/message_queue.h"
#include "platform/core/process_services.h"
#include "platform/core/registry.h"
#include "platform/core/render_contexts.h"
#include "platform/core/system_palette.h"
#include "platform/testing.h"

namespace platformtest {

void setFocusWindow(HWND window) { platformSetFocusWindow(window); }

void failNext(const char* operation, int times) { failAfter(operation, 0, times); }

void failAfter(const char* operation, int successes, int times) {
  if (!platformKnowsOperation(operation)) {
    std::fprintf(stderr, "platformtest: no platform operation is called \"%s\"\n",
                 operation != nullptr ? operation : "(null)");
    std::abort();
  }
  platformFailAfter(operation, successes, times);
}

int callCount(const char* operation) { return platformCallCount(operation); }

HDC createDeviceContext() { return platformCreateDeviceContext(nullptr); }
std::vector<PALETTEENTRY> systemPalette() { return platformSystemPaletteColours(); }
UINT systemPaletteUse() { return platformSystemPaletteUse(); }

void setRegistryString(const std::string& keyPath, const std::string& name,
                       const std::string& text) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  platformRegistrySetValue(keyPath, name, REG_SZ, data);
}

void setRegistryValue(const std::string& keyPath, const std::string& name, DWORD type,
                      const void* data, DWORD bytes) {
  const BYTE* first = static_cast<const BYTE*>(data);
  platformRegistrySetValue(keyPath, name, type,
                           first == nullptr ? std::vector<BYTE>() : std::vector<BYTE>(first, first + bytes));
}

void createRegistryKey(const std::string& keyPath) { platformRegistryCreateKey(keyPath); }
void removeRegistryKey(const std::string& keyPath) { platformRegistryRemoveKey(keyPath); }

void setVersion(DWORD platformId, DWORD major, DWORD minor) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  version.dwPlatformId = platformId;
  version.dwMajorVersion = major;
  version.dwMinorVersion = minor;
  platformSetVersion(version);
}

const std::vector<MSG>& postedMessages() { return platformPostedLog(); }
void clearPostedMessages() { platformClearPostedLog(); }
std::vector<MSG> waitingMessages() { return platformWaitingMessages(); }

HGLRC currentContext() { return platformCurrentContext(); }
HWND captureWindow() { return platformCaptureWindow(); }
int liveLocalAllocations() { return platformLiveLocalAllocations(); }

}  // namespace platformtest
