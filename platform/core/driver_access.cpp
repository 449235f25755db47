#include "platform/core/driver_access.h"

namespace {
const PlatformDriver* connectedDriver = nullptr;
bool connected = false;
bool paletteDevice = false;
}  // namespace

void platformNotifyPaletteDevice(bool isPaletteDevice) { paletteDevice = isPaletteDevice; }

const PlatformDriver* platformDriver() {
  if (connectedDriver == nullptr) {
    paletteDevice = false;
    connectedDriver = platformDefaultDriver();
    connected = connectedDriver->connect();
  }
  return connectedDriver;
}

bool platformConnected() {
  platformDriver();
  return connected;
}

void platformDisconnect() {
  if (connectedDriver != nullptr && connected) connectedDriver->disconnect();
  connected = false;
}

void platformForgetConnection() {
  connectedDriver = nullptr;
  connected = false;
  paletteDevice = false;
}

bool platformPaletteDevice() { return platformConnected() && paletteDevice; }
