#include "platform/core/driver_access.h"

namespace {
const PlatformDriver* connectedDriver = nullptr;
bool connected = false;
}  // namespace

const PlatformDriver* platformDriver() {
  if (connectedDriver == nullptr) {
    connectedDriver = platformDefaultDriver();
    connected = connectedDriver->connect();
  }
  return connectedDriver;
}

bool platformConnected() {
  platformDriver();
  return connected;
}
