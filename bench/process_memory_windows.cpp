#include "bench/process_memory.h"

// The Windows build reports frame times only.
long anonymousResidentKb() { return -1; }
