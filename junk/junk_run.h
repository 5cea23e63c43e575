// The junk cleaning work: walks the scope's folders and deletes the files whose long names match
// the junk patterns, and clears the special locations. It runs on a worker thread and never
// touches a window: it writes its progress into a JunkRunState that the window reads on its timer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/shared_state.h"

struct JunkRunState {
  std::atomic<int32_t> stopRequested{0};
  std::atomic<int32_t> workerDone{0};
  std::atomic<int64_t> filesFound{0};  // files matched and deleted
  std::atomic<int64_t> totalKB{0};     // their sizes, each in whole kilobytes

  // The text of the file just found, for the window's label.
  void SetCurrent(std::string text);
  // The current text, when it changed since the last call.
  bool TakeCurrent(std::string& text);

 private:
  std::mutex mutex_;
  std::string current_;
  bool changed_ = false;
};

// The whole run, on the calling thread: the locations in order, special ones through the
// temporary-store operations, folders scanned depth first. Empty lists clean nothing.
void RunJunkClean(JunkRunState& state, const JunkScope& scope);

// Starts a run on a worker thread. Only one worker runs at a time: a run asked for while an
// earlier worker is still busy (a stopped run finishing a special location) is not started, and
// false is returned; the caller asks again later.
bool StartJunkWorker(std::shared_ptr<JunkRunState> state, JunkScope scope);
bool JunkWorkerBusy();
