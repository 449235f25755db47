// Process services: the module handle, the version, local memory, sleeping, exiting.
#include "platform/core/process_services.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <thread>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/handles.h"

namespace {

// The program's own module: a fixed handle of the module kind.
const uintptr_t kOwnModule = (static_cast<uintptr_t>(HandleKind::Module) << 24) | 1;

OSVERSIONINFOA defaultVersion() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  version.dwMajorVersion = 10;
  version.dwMinorVersion = 0;
  version.dwBuildNumber = 19045;
  version.dwPlatformId = VER_PLATFORM_WIN32_NT;
  return version;
}

OSVERSIONINFOA reportedVersion = defaultVersion();
std::set<void*> localBlocks;

}  // namespace

void platformSetVersion(const OSVERSIONINFOA& version) { reportedVersion = version; }
int platformLiveLocalAllocations() { return static_cast<int>(localBlocks.size()); }

void platformResetProcessServices() {
  reportedVersion = defaultVersion();
  for (void* block : localBlocks) std::free(block);
  localBlocks.clear();
}

// Only the program itself is known: a name finds nothing.
HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (platformInjectedFailure("GetModuleHandleA")) return nullptr;
  return moduleName == nullptr ? asHandle<HMODULE>(kOwnModule) : nullptr;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (platformInjectedFailure("GetVersionExA")) return FALSE;
  if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
  *info = reportedVersion;
  info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  return TRUE;
}

// Without a window system (the driver could not connect) the status is 1 whatever was
// asked: the program could not do its work.
void ExitProcess(UINT exitCode) {
  const bool hadDisplay = platformConnected();
  platformDisconnect();
  std::fflush(nullptr);
  std::exit(hadDisplay ? static_cast<int>(exitCode) : 1);
}

// Fixed memory; zero-filled with LMEM_ZEROINIT. Zero bytes still give a block of its own.
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
  if (platformInjectedFailure("LocalAlloc")) return nullptr;
  const size_t size = bytes == 0 ? 1 : bytes;
  void* block = (flags & LMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
  if (block != nullptr) localBlocks.insert(block);
  return block;
}

// Null on success; the block itself back when it is not one of LocalAlloc's.
HLOCAL LocalFree(HLOCAL memory) {
  if (platformInjectedFailure("LocalFree")) return memory;
  if (memory == nullptr) return nullptr;
  auto it = localBlocks.find(memory);
  if (it == localBlocks.end()) return memory;
  localBlocks.erase(it);
  std::free(memory);
  return nullptr;
}

void Sleep(DWORD milliseconds) {
  platformInjectedFailure("Sleep");  // counted only: sleeping cannot fail
  if (milliseconds == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}
