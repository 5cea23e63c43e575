// What the recording engine (a test-only Cleaner.dll) keeps of the calls that reach it.
#pragma once

#include <cstdint>

struct RecordedCall {
  int slot;                // the operation's slot, 0..15
  const void* object;      // the object the call came through
  uintptr_t args[5];       // the arguments after the object, in order
  int count;               // how many of them
};

// Exports of the recording engine, besides CreateCleaner (plain C calls).
extern "C" {
typedef const RecordedCall* (*RecorderCallsFn)(int* count);
typedef void (*RecorderResetFn)();
typedef void (*RecorderSetResultFn)(int slot, int32_t result);
typedef int (*RecorderFactoryCallsFn)(int32_t* lastVersion);
typedef void (*RecorderFactoryGivesNullFn)(int yes);
}
