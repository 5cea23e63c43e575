// The shared records and their release order.
#include "app/shared_state.h"

#include <cassert>
#include <memory>

namespace {
std::unique_ptr<SharedState> g_state;
}

void CreateSharedState() {
  if (g_state) return;
  g_state = std::make_unique<SharedState>();
  g_state->hotkeyTable.push_back(HotkeyBinding{});
  g_state->junkScope.locations.push_back(std::string());
  g_state->junkScope.patterns.push_back(std::string());
}

SharedState& Shared() {
  assert(g_state);
  return *g_state;
}

bool SharedStateExists() { return g_state != nullptr; }

void ReleaseSharedState() {
  if (!g_state) return;
  // The order is fixed: hotkey bindings and their table, the history scope, the location texts
  // and their list, the pattern texts and their list, the software scope.
  HotkeyTable().swap(g_state->hotkeyTable);
  g_state->historyScope = {};
  std::vector<std::string>().swap(g_state->junkScope.locations);
  std::vector<std::string>().swap(g_state->junkScope.patterns);
  g_state->softwareScope = {};
  g_state.reset();
}
