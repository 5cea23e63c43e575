// The records that the windows share: created once at start-up, released once at the end.
// Everything here runs on the user-interface thread, except that the junk worker reads JunkScope
// while its run window holds the main window's buttons locked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hotkeys/hotkey_binding.h"

constexpr int kHistoryKindCount = 10;

struct JunkScope {
  std::vector<std::string> locations;  // drive roots and the three special location texts
  std::vector<std::string> patterns;   // file-name patterns such as "*.tmp"
};

// A flag of the two scopes counts as on only when it holds exactly 1.
using HistoryScope = std::array<int32_t, kHistoryKindCount>;
using SoftwareScope = std::array<int32_t, 2>;  // [0] media player, [1] archiver
inline bool FlagOn(int32_t flag) { return flag == 1; }

struct SharedState {
  HotkeyTable hotkeyTable;
  HistoryScope historyScope{};
  JunkScope junkScope;
  SoftwareScope softwareScope{};
  int32_t cleanAllFlag = 0;  // 1 only while the clean-all sequence runs
};

// Creates the records in their start-up states (one blank hotkey binding, one empty text in each
// junk list, every flag 0). A second call while they exist does nothing.
void CreateSharedState();

// The one instance. Only valid between CreateSharedState and ReleaseSharedState.
SharedState& Shared();
bool SharedStateExists();

// Frees the records in their fixed order; a second call does nothing.
void ReleaseSharedState();
