// The benchmark process's own memory, where the system tells it.
#pragma once

// Anonymous resident memory (heap, mappings of no file) in kB; -1 where unknown.
long anonymousResidentKb();
