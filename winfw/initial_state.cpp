#include "winfw/state.h"

void wfRestoreInitialState() {
  wfClientX = 0;
  wfClientY = 0;
  wfClientWidth = 100;
  wfClientHeight = 100;
  wfDefaultPlacement = 1;
  wfDisplayMode = 1;
  wfRequestedMode = 0;
  wfFormatPolicy = WF_PF_BEST;
  wfFormatNumber = 0;
  wfErrorBoxes = 1;
  wfWindow = nullptr;
  wfDeviceContext = nullptr;
  wfRenderContext = nullptr;
  wfReshapeSlot = nullptr;
  wfDisplaySlot = nullptr;
  wfIdleSlot = nullptr;
  wfKeySlot = nullptr;
  wfPressSlot = nullptr;
  wfReleaseSlot = nullptr;
  wfMotionSlot = nullptr;
  wfKeyCount = 0;
  wfPressCount = 0;
  wfReleaseCount = 0;
  wfMotionCount = 0;
}
