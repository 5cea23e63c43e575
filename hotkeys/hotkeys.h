// The program's global hotkeys Ctrl+Alt+Shift+1 to 6.
#pragma once

#include <windows.h>

// Empties the hotkey table, then registers the six hotkeys on the main window.
void RegisterAppHotkeys(HWND mainWindow, HWND receiver);

// Unregisters every binding of the table on the main window.
void UnregisterAppHotkeys(HWND mainWindow);
