// Sweepgate.dll: sixteen flat exports in front of the one shredding engine of the process. Each
// forwards to the engine operation of the same name and returns its result unchanged; without an
// engine each returns a fixed value and calls nothing. The engine comes from Cleaner.dll's
// CreateCleaner, imported when the library loads. Calls must come from one thread at a time.
#pragma once

#include <cstdint>

#include "cleaner/cleaner.h"

// Results without an engine.
constexpr int32_t kSweepgateNoEngine = 8600;       // searches, DelDir, DelFile; Init when no engine could be made
constexpr int32_t kSweepgateNoEngineState = 8603;  // GetCurState

extern "C" {
int32_t CLEANER_CALL Cleaner_Init();
int32_t CLEANER_CALL Cleaner_Release();
int32_t CLEANER_CALL Cleaner_GetRefCount();
int32_t CLEANER_CALL Cleaner_AddType(const char* pattern, int32_t tag);
int32_t CLEANER_CALL Cleaner_DelType(const char* pattern);
int32_t CLEANER_CALL Cleaner_GetType(const char* name);
int32_t CLEANER_CALL Cleaner_DelAllType();
int32_t CLEANER_CALL Cleaner_SearchFile(const char* folder, const char* pattern, int32_t flags,
                                        CleanerFoundRoutine found, void* context);
int32_t CLEANER_CALL Cleaner_SearchDir(const char* folder, const char* pattern, int32_t flags,
                                       CleanerFoundRoutine found, void* context);
uint8_t CLEANER_CALL Cleaner_IsFileExist(const char* path);
uint8_t CLEANER_CALL Cleaner_IsDirExist(const char* path);
int32_t CLEANER_CALL Cleaner_DelDir(const char* folder, int32_t passes, int32_t flags);
int32_t CLEANER_CALL Cleaner_DelFile(const char* path, int32_t passes);
int32_t CLEANER_CALL Cleaner_StopSearch();
int32_t CLEANER_CALL Cleaner_GetCurState();
int32_t CLEANER_CALL Cleaner_GetObjCurSize(int32_t question);
}
