// The program's global hotkeys Ctrl+Alt+Shift+1 to 6, registered on the main window.
#pragma once

#include <windows.h>

#include <cstdint>

// Empties the hotkey table, then registers the six hotkeys on the main window, one binding per
// attempt. A combination held elsewhere keeps id 0 and does nothing here.
void RegisterAppHotkeys(HWND mainWindow);

// Unregisters every binding of the table on the main window; the bindings stay in the table.
// The main window's procedure is given back when the last registration is undone.
void UnregisterAppHotkeys(HWND mainWindow);

// Runs the action of every binding whose registration id is `id`.
void DispatchHotkey(int32_t id);

// The last registration id assigned in this process (33000 before the first attempt).
int32_t LastHotkeyId();
// Whether the main window's procedure is intercepted for hotkey messages now.
bool HotkeyInterceptionInstalled();
