#pragma once

// Puts the whole core back to its start, for tests: windows, classes, queue, focus,
// capture, GDI objects, system palette, system colours, registry, version, local memory,
// rendering contexts, call counts and injected failures. Windows vanish without messages
// (their procedures belong to an earlier test), and the driver is connected afresh.
void platformResetCore();
