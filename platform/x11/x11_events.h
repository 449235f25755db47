// The X11 driver's event pump: X events on our windows become the core's reports.
#pragma once

void x11PumpEvents(bool wait);
