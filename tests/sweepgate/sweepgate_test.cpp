// Sweepgate.dll in front of the recording engine: every export without an engine and with one,
// the arguments as the engine receives them, the results as the caller gets them, and the
// engine's making and release. The exports are bound by their undecorated names.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "cleaner/cleaner.h"
#include "tests/sweepgate/recording_cleaner.h"

namespace {

HMODULE Sweepgate() {
  static HMODULE library = LoadLibraryA("Sweepgate.dll");
  return library;
}

template <typename Fn>
Fn Export(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Sweepgate(), name)));
}

template <typename Fn>
Fn Recorder(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Cleaner.dll"), name)));
}

using Fn0 = int32_t(CLEANER_CALL*)();
using Fn1 = int32_t(CLEANER_CALL*)(uintptr_t);
using Fn2 = int32_t(CLEANER_CALL*)(uintptr_t, uintptr_t);
using Fn3 = int32_t(CLEANER_CALL*)(uintptr_t, uintptr_t, uintptr_t);
using Fn5 = int32_t(CLEANER_CALL*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t);
using Bool1 = uint8_t(CLEANER_CALL*)(uintptr_t);

// One forwarding export: its slot, how many arguments, and what it returns without an engine.
struct Forward {
  const char* name;
  int slot;
  int count;
  int32_t noEngine;
};
const Forward kForwards[] = {
    {"Cleaner_GetRefCount", 2, 0, 0},     {"Cleaner_AddType", 3, 2, 0},
    {"Cleaner_DelType", 4, 1, 0},         {"Cleaner_GetType", 5, 1, 0},
    {"Cleaner_DelAllType", 6, 0, 0},      {"Cleaner_SearchFile", 7, 5, 8600},
    {"Cleaner_SearchDir", 8, 5, 8600},    {"Cleaner_IsFileExist", 9, 1, 0},
    {"Cleaner_IsDirExist", 10, 1, 0},     {"Cleaner_DelDir", 11, 3, 8600},
    {"Cleaner_DelFile", 12, 2, 8600},     {"Cleaner_StopSearch", 13, 0, 0},
    {"Cleaner_GetCurState", 14, 0, 8603}, {"Cleaner_GetObjCurSize", 15, 1, -1},
};

// Calls the export with the words 1, 2, 3... (distinct, recognisable addresses and numbers).
int32_t CallWithWords(const Forward& f, uintptr_t base) {
  uintptr_t w[5] = {base + 1, base + 2, base + 3, base + 4, base + 5};
  if (f.slot == 9 || f.slot == 10) return Export<Bool1>(f.name)(w[0]);
  switch (f.count) {
    case 0: return Export<Fn0>(f.name)();
    case 1: return Export<Fn1>(f.name)(w[0]);
    case 2: return Export<Fn2>(f.name)(w[0], w[1]);
    case 3: return Export<Fn3>(f.name)(w[0], w[1], w[2]);
    default: return Export<Fn5>(f.name)(w[0], w[1], w[2], w[3], w[4]);
  }
}

std::vector<RecordedCall> Calls() {
  int n = 0;
  const RecordedCall* calls = Recorder<RecorderCallsFn>("RecorderCalls")(&n);
  return std::vector<RecordedCall>(calls, calls + n);
}

int FactoryCalls(int32_t* version = nullptr) {
  int32_t v = 0;
  int n = Recorder<RecorderFactoryCallsFn>("RecorderFactoryCalls")(&v);
  if (version) *version = v;
  return n;
}

class SweepgateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Sweepgate(), nullptr);
    Export<Fn0>("Cleaner_Release")();  // no engine from an earlier test
    Recorder<RecorderResetFn>("RecorderReset")();
  }
  void SetResult(int slot, int32_t result) { Recorder<RecorderSetResultFn>("RecorderSetResult")(slot, result); }
};

}  // namespace

TEST_F(SweepgateTest, WithoutAnEngineEveryExportAnswersItsFixedValueAndCallsNothing) {
  for (const Forward& f : kForwards) EXPECT_EQ(CallWithWords(f, 0x1000), f.noEngine) << f.name;
  EXPECT_EQ(Export<Fn0>("Cleaner_Release")(), 0);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(FactoryCalls(), 0);
}

TEST_F(SweepgateTest, InitMakesTheEngineOnceAndReturnsItsInitResult) {
  SetResult(0, 77);
  EXPECT_EQ(Export<Fn0>("Cleaner_Init")(), 77);
  Export<Fn0>("Cleaner_Init")();
  int32_t version = 0;
  EXPECT_EQ(FactoryCalls(&version), 1);
  EXPECT_EQ(version, 8227);
  std::vector<RecordedCall> calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].slot, 0);
  EXPECT_EQ(calls[0].count, 0);
}

TEST_F(SweepgateTest, EveryExportReachesItsSlotWithItsArgumentsAndReturnsTheResultUnchanged) {
  Export<Fn0>("Cleaner_Init")();
  const void* engine = Calls().at(0).object;
  for (const Forward& f : kForwards) {
    SCOPED_TRACE(f.name);
    Recorder<RecorderResetFn>("RecorderReset")();
    // A result equal to a value of the no-engine table comes back as it is.
    int32_t result = (f.slot == 9 || f.slot == 10) ? 1 : f.slot == 12 ? 8600 : 1000 + f.slot;
    SetResult(f.slot, result);
    EXPECT_EQ(CallWithWords(f, 0x5000), result);
    std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].slot, f.slot);
    EXPECT_EQ(calls[0].object, engine);
    ASSERT_EQ(calls[0].count, f.count);
    for (int i = 0; i < f.count; ++i) {
      // The engine takes 32-bit numbers where the export passed words: compare what fits.
      EXPECT_EQ(static_cast<uint32_t>(calls[0].args[i]), static_cast<uint32_t>(0x5000 + i + 1)) << i;
    }
  }
  EXPECT_EQ(FactoryCalls(), 0);  // reset above; no new engine was made for these calls
}

TEST_F(SweepgateTest, ReleaseHandsTheEngineBackOnceAndInitThenMakesANewOne) {
  Export<Fn0>("Cleaner_Init")();
  const void* first = Calls().at(0).object;
  SetResult(1, 3);
  EXPECT_EQ(Export<Fn0>("Cleaner_Release")(), 3);
  EXPECT_EQ(Export<Fn2>("Cleaner_DelFile")(1, 1), 8600);
  EXPECT_EQ(Export<Fn0>("Cleaner_Release")(), 0);
  std::vector<RecordedCall> calls = Calls();
  ASSERT_EQ(calls.size(), 2u);  // Init, then Release once: nothing reached the old object after
  EXPECT_EQ(calls[1].slot, 1);
  EXPECT_EQ(calls[1].object, first);

  Export<Fn0>("Cleaner_Init")();
  EXPECT_EQ(FactoryCalls(), 2);
  Export<Fn2>("Cleaner_DelFile")(1, 1);
  calls = Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_NE(calls[3].object, first);
  EXPECT_EQ(calls[3].object, calls[2].object);
}

TEST_F(SweepgateTest, AFactoryThatGivesNoEngineIsNotCalledThrough) {
  Recorder<RecorderFactoryGivesNullFn>("RecorderFactoryGivesNull")(1);
  EXPECT_EQ(Export<Fn0>("Cleaner_Init")(), 8600);
  EXPECT_EQ(Export<Fn2>("Cleaner_DelFile")(1, 1), 8600);
  EXPECT_EQ(Export<Fn0>("Cleaner_GetCurState")(), 8603);
  EXPECT_TRUE(Calls().empty());
  Recorder<RecorderFactoryGivesNullFn>("RecorderFactoryGivesNull")(0);
  Export<Fn0>("Cleaner_Init")();
  EXPECT_EQ(FactoryCalls(), 2);  // tried again, and this time made
  EXPECT_EQ(Calls().size(), 1u);
}
