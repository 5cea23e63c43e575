// The destruction of one file, the heart of the engine's DelFile.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

struct ShredProgress {
  std::atomic<int64_t> fileBytes{0};     // the length being overwritten
  std::atomic<int64_t> writtenBytes{0};  // bytes written to the file so far, all passes
};

// A point in the work where a test may look at the file: it is called after the last pass has
// been flushed, with the handle still open; returning false ends the work there (the file stays,
// overwritten, and ERROR_CANCELLED is returned).
using ShredCheckpoint = bool (*)(void* context);

// Destroys the file at `path` (see DelFile in cleaner.h). Returns 0 or a Win32 error code.
DWORD ShredFile(const char* path, int passes, ShredProgress* progress = nullptr,
                ShredCheckpoint afterOverwrite = nullptr, void* checkpointContext = nullptr);

// Fills `size` bytes with random data from the system's generator.
bool SystemRandom(void* out, ULONG size);
