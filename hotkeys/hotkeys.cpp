// Registration of the global hotkeys. The registration itself arrives with the hotkey module;
// until then the table is emptied so that no window sees the start-up placeholder binding.
#include "hotkeys/hotkeys.h"

#include "app/shared_state.h"

void RegisterAppHotkeys(HWND, HWND) { Shared().hotkeyTable.clear(); }

void UnregisterAppHotkeys(HWND) {}
