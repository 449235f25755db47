#include <cstring>

#include "platform/platform.h"
#include "tests/conformance/seams.h"

namespace conformance {

bool seedRegistryString(const char* keyPath, const char* name, const char* text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                        static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void removeSeededRegistryKey(const char* keyPath) { RegDeleteKeyA(HKEY_CURRENT_USER, keyPath); }

}  // namespace conformance
