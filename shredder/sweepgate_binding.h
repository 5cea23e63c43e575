// sysclean's two calls into Sweepgate.dll. The library is not imported: each export is bound by
// name at its first call (the program's own folder first, then the system's search) and kept for
// the rest of the process; the library is never unloaded. When the library or the export cannot
// be bound, or (on 32-bit Windows) a call leaves the stack other than it found it, an error box
// says so and the program ends with exit code -1.
#pragma once

#include <cstdint>

// Cleaner_Init().
int32_t SweepgateInit();

// Cleaner_DelFile(path, 1). `path` is only read during the call.
int32_t SweepgateDelFile(const char* path);
