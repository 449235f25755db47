#include "platform/web/web_message_box.h"

#include "platform/web/web_imports.h"

int webMessageBox(DriverWindow*, const char* text, const char* caption, UINT) {
  webjs_message_box(caption != nullptr ? caption : "", text != nullptr ? text : "");
  return IDOK;
}
