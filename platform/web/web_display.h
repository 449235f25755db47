// The page as the display: there is one when the page has the window's canvas.
#pragma once

bool webConnect();
void webDisconnect();
bool webConnected();
int webSystemMetric(int index);
