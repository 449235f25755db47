// The frame routine: the window framework calls it whenever no event waits and on every
// repaint. Each call draws one whole frame of the sweep and presents it.
#pragma once

void drawFrame();
