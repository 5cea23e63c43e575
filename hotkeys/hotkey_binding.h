// One registered global hotkey, as the hotkey table keeps it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HotkeyBinding {
  int32_t ctrl = 0;   // the three modifier flags record what registration asked for
  int32_t alt = 0;
  int32_t shift = 0;
  std::string keyText;  // "1" ... "6": selects the action
  int32_t id = 0;       // registration id, 33001 or more; 0 when registration failed
};

using HotkeyTable = std::vector<HotkeyBinding>;
