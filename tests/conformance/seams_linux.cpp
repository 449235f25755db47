#include <cstring>

#include "platform/core/registry.h"
#include "tests/conformance/seams.h"

namespace conformance {

bool seedRegistryString(const char* keyPath, const char* name, const char* text) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
  platformRegistrySetValue(keyPath, name, REG_SZ,
                           std::vector<BYTE>(bytes, bytes + std::strlen(text) + 1));
  return true;
}

void removeSeededRegistryKey(const char* keyPath) { platformRegistryRemoveKey(keyPath); }

}  // namespace conformance
