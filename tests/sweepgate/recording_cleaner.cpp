// A test-only Cleaner.dll: an engine that records every call that reaches it (slot, object and
// arguments) and answers with results that the test sets.
#include <vector>

#include "cleaner/cleaner.h"
#include "tests/sweepgate/recording_cleaner.h"

namespace {

std::vector<RecordedCall> g_calls;
int32_t g_results[16] = {};
int g_factoryCalls = 0;
int32_t g_lastVersion = 0;
bool g_factoryGivesNull = false;

template <typename... Args>
int32_t Record(const void* object, int slot, Args... args) {
  RecordedCall call{slot, object, {(uintptr_t)args...}, int(sizeof...(Args))};
  g_calls.push_back(call);
  return g_results[slot];
}

// Freed never: the test looks at the object's address after Release.
class Recorder final : public CleanerEngine {
 public:
  int32_t CLEANER_CALL Init() override { return Record(this, 0); }
  int32_t CLEANER_CALL Release() override { return Record(this, 1); }
  int32_t CLEANER_CALL GetRefCount() override { return Record(this, 2); }
  int32_t CLEANER_CALL AddType(const char* a, int32_t b) override { return Record(this, 3, a, b); }
  int32_t CLEANER_CALL DelType(const char* a) override { return Record(this, 4, a); }
  int32_t CLEANER_CALL GetType(const char* a) override { return Record(this, 5, a); }
  int32_t CLEANER_CALL DelAllType() override { return Record(this, 6); }
  int32_t CLEANER_CALL SearchFile(const char* a, const char* b, int32_t c, CleanerFoundRoutine d, void* e) override {
    return Record(this, 7, a, b, c, d, e);
  }
  int32_t CLEANER_CALL SearchDir(const char* a, const char* b, int32_t c, CleanerFoundRoutine d, void* e) override {
    return Record(this, 8, a, b, c, d, e);
  }
  uint8_t CLEANER_CALL IsFileExist(const char* a) override { return uint8_t(Record(this, 9, a)); }
  uint8_t CLEANER_CALL IsDirExist(const char* a) override { return uint8_t(Record(this, 10, a)); }
  int32_t CLEANER_CALL DelDir(const char* a, int32_t b, int32_t c) override { return Record(this, 11, a, b, c); }
  int32_t CLEANER_CALL DelFile(const char* a, int32_t b) override { return Record(this, 12, a, b); }
  int32_t CLEANER_CALL StopSearch() override { return Record(this, 13); }
  int32_t CLEANER_CALL GetCurState() override { return Record(this, 14); }
  int32_t CLEANER_CALL GetObjCurSize(int32_t a) override { return Record(this, 15, a); }
};

}  // namespace

extern "C" {

CleanerEngine* CLEANER_CALL CreateCleaner(int32_t version) {
  ++g_factoryCalls;
  g_lastVersion = version;
  return g_factoryGivesNull ? nullptr : new Recorder();
}

const RecordedCall* RecorderCalls(int* count) {
  *count = int(g_calls.size());
  return g_calls.data();
}

void RecorderReset() {
  g_calls.clear();
  for (int32_t& r : g_results) r = 0;
  g_factoryCalls = 0;
  g_factoryGivesNull = false;
}

void RecorderSetResult(int slot, int32_t result) { g_results[slot] = result; }

int RecorderFactoryCalls(int32_t* lastVersion) {
  *lastVersion = g_lastVersion;
  return g_factoryCalls;
}

void RecorderFactoryGivesNull(int yes) { g_factoryGivesNull = yes != 0; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

}  // extern "C"
