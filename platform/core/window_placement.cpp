#include "platform/core/window_placement.h"

void platformPlaceClientArea(WindowRecord& record, int clientX, int clientY, int width,
                             int height) {
  const FrameInsets insets = platformFrameInsets(record.style);
  record.clientX = clientX;
  record.clientY = clientY;
  record.clientWidth = width;
  record.clientHeight = height;
  record.windowRect = RECT{clientX - insets.left, clientY - insets.top,
                           clientX + width + insets.right, clientY + height + insets.bottom};
}
