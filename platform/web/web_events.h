// Turns what the page's listeners queued into the reports the core expects.
#pragma once

// With wait, yields to the browser until at least one event has been reported.
void webPumpEvents(bool wait);
