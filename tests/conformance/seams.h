// What the conformance tests need beyond the API the framework calls: writing a registry
// value to read back. One implementation per side: through the real registry on Windows,
// into the core's emulated registry on Linux.
#pragma once

namespace conformance {

bool seedRegistryString(const char* keyPath, const char* name, const char* text);
void removeSeededRegistryKey(const char* keyPath);

}  // namespace conformance
