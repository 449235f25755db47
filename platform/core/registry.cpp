// The current user's registry: keys are paths below HKEY_CURRENT_USER ("Control
// Panel\Colors"), matched without regard to ASCII case as the system does; each holds
// named values with a type and bytes. Opening is for reading only.
#include "platform/core/registry.h"

#include <cstring>
#include <map>
#include <memory>

#include "platform/core/failure_injection.h"
#include "platform/core/handles.h"

namespace {

struct Value {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

using Key = std::map<std::string, Value, CaseInsensitiveLess>;

std::map<std::string, Key, CaseInsensitiveLess> keys;

struct OpenKey {
  std::string path;
};
HandleTable<OpenKey> openKeys(HandleKind::RegistryKey);

// The path of an open key, or of the root for HKEY_CURRENT_USER; false for anything else.
bool pathOf(HKEY key, std::string* path) {
  if (key == HKEY_CURRENT_USER) {
    path->clear();
    return true;
  }
  if (const OpenKey* open = openKeys.find(key)) {
    *path = open->path;
    return true;
  }
  return false;
}

std::string joined(const std::string& parent, const char* child) {
  if (child == nullptr || *child == '\0') return parent;
  return parent.empty() ? std::string(child) : parent + "\\" + child;
}

}  // namespace

void platformRegistrySetValue(const std::string& keyPath, const std::string& name, DWORD type,
                              const std::vector<BYTE>& data) {
  keys[keyPath][name] = Value{type, data};
}

void platformRegistryCreateKey(const std::string& keyPath) { keys[keyPath]; }
void platformRegistryRemoveKey(const std::string& keyPath) { keys.erase(keyPath); }

void platformResetRegistry() {
  keys.clear();
  openKeys.clear();
}

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, HKEY* result) {
  if (result != nullptr) *result = nullptr;
  if (platformInjectedFailure("RegOpenKeyExA")) return ERROR_ACCESS_DENIED;
  std::string parent;
  if (!pathOf(key, &parent)) return ERROR_INVALID_HANDLE;
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  const std::string path = joined(parent, subKey);
  if (!path.empty() && keys.find(path) == keys.end()) return ERROR_FILE_NOT_FOUND;
  auto open = std::make_unique<OpenKey>();
  open->path = path;
  const uintptr_t handle = openKeys.add(std::move(open));
  if (handle == 0) return ERROR_NOT_ENOUGH_MEMORY;
  *result = asHandle<HKEY>(handle);
  return ERROR_SUCCESS;
}

// With no buffer, reports the size. A buffer too small for the value gets nothing and
// ERROR_MORE_DATA, with the size needed in *dataBytes. A REG_SZ value's size counts its
// terminating zero.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD*, DWORD* type, BYTE* data,
                         DWORD* dataBytes) {
  if (platformInjectedFailure("RegQueryValueExA")) return ERROR_ACCESS_DENIED;
  std::string path;
  if (!pathOf(key, &path)) return ERROR_INVALID_HANDLE;
  if (data != nullptr && dataBytes == nullptr) return ERROR_INVALID_PARAMETER;
  auto keyIt = keys.find(path);
  if (keyIt == keys.end()) return ERROR_FILE_NOT_FOUND;
  auto valueIt = keyIt->second.find(valueName != nullptr ? valueName : "");
  if (valueIt == keyIt->second.end()) return ERROR_FILE_NOT_FOUND;
  const Value& value = valueIt->second;
  const DWORD size = static_cast<DWORD>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data != nullptr) {
    if (*dataBytes < size) {
      *dataBytes = size;
      return ERROR_MORE_DATA;
    }
    if (size > 0) std::memcpy(data, value.data.data(), size);
  }
  if (dataBytes != nullptr) *dataBytes = size;
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  if (platformInjectedFailure("RegCloseKey")) return ERROR_INVALID_HANDLE;
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  return openKeys.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
