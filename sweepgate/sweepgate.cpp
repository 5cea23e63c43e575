// The exports of Sweepgate.dll. The engine pointer is a plain variable: the library's contract is
// one calling thread at a time.
#include "sweepgate/sweepgate.h"

namespace {
CleanerEngine* g_engine = nullptr;
}

extern "C" {

int32_t CLEANER_CALL Cleaner_Init() {
  if (g_engine) return 0;
  CleanerEngine* made = CreateCleaner(8227);
  if (!made) return kSweepgateNoEngine;  // nothing to call through; stays without an engine
  g_engine = made;
  return g_engine->Init();
}

int32_t CLEANER_CALL Cleaner_Release() {
  int32_t result = g_engine ? g_engine->Release() : 0;
  g_engine = nullptr;
  return result;
}

int32_t CLEANER_CALL Cleaner_GetRefCount() { return g_engine ? g_engine->GetRefCount() : 0; }

int32_t CLEANER_CALL Cleaner_AddType(const char* pattern, int32_t tag) {
  return g_engine ? g_engine->AddType(pattern, tag) : 0;
}

int32_t CLEANER_CALL Cleaner_DelType(const char* pattern) { return g_engine ? g_engine->DelType(pattern) : 0; }

int32_t CLEANER_CALL Cleaner_GetType(const char* name) { return g_engine ? g_engine->GetType(name) : 0; }

int32_t CLEANER_CALL Cleaner_DelAllType() { return g_engine ? g_engine->DelAllType() : 0; }

int32_t CLEANER_CALL Cleaner_SearchFile(const char* folder, const char* pattern, int32_t flags,
                                        CleanerFoundRoutine found, void* context) {
  return g_engine ? g_engine->SearchFile(folder, pattern, flags, found, context) : kSweepgateNoEngine;
}

int32_t CLEANER_CALL Cleaner_SearchDir(const char* folder, const char* pattern, int32_t flags,
                                       CleanerFoundRoutine found, void* context) {
  return g_engine ? g_engine->SearchDir(folder, pattern, flags, found, context) : kSweepgateNoEngine;
}

uint8_t CLEANER_CALL Cleaner_IsFileExist(const char* path) { return g_engine ? g_engine->IsFileExist(path) : 0; }

uint8_t CLEANER_CALL Cleaner_IsDirExist(const char* path) { return g_engine ? g_engine->IsDirExist(path) : 0; }

int32_t CLEANER_CALL Cleaner_DelDir(const char* folder, int32_t passes, int32_t flags) {
  return g_engine ? g_engine->DelDir(folder, passes, flags) : kSweepgateNoEngine;
}

int32_t CLEANER_CALL Cleaner_DelFile(const char* path, int32_t passes) {
  return g_engine ? g_engine->DelFile(path, passes) : kSweepgateNoEngine;
}

int32_t CLEANER_CALL Cleaner_StopSearch() { return g_engine ? g_engine->StopSearch() : 0; }

int32_t CLEANER_CALL Cleaner_GetCurState() { return g_engine ? g_engine->GetCurState() : kSweepgateNoEngineState; }

int32_t CLEANER_CALL Cleaner_GetObjCurSize(int32_t question) {
  return g_engine ? g_engine->GetObjCurSize(question) : -1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

}  // extern "C"
