// Which cells of the grid (traceRaster) hold a mark, column by column, so that the marks can
// be drawn in grid order without visiting all 911 x 911 cells in every frame. The frame
// routine notes every mark it makes; a grid written by other means (a test setting cells by
// hand) is taken in by reindexMarks().
#pragma once

void noteMark(int x, int y);
void reindexMarks();

// Calls draw(x, y, value) for every cell 1 <= x, y <= 911 that holds 1 or 2, x outer and y
// inner, both ascending.
void forEachMark(void (*draw)(int x, int y, int value));
