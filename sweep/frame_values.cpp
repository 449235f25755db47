#include "sweep/frame_values.h"

int activeCount = 0;
int beachCount = 0;
int nearLine = 0;
