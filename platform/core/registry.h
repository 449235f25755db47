// The current user's registry, an in-process store that tests seed.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

void platformRegistrySetValue(const std::string& keyPath, const std::string& name, DWORD type,
                              const std::vector<BYTE>& data);
void platformRegistryCreateKey(const std::string& keyPath);
void platformRegistryRemoveKey(const std::string& keyPath);
void platformResetRegistry();
