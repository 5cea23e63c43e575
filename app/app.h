// Program-wide facilities of the application core, reachable from every window.
#pragma once

#include <windows.h>

#include <string>

// The directory of the program's executable, without a trailing backslash.
const std::string& ProgramDirectory();

// Disables (true) or enables (false) the ten big buttons of the main window, in button order.
// Not counted: one release undoes any number of locks.
void MainButtonLock(bool locked);

// The main window, or null before it exists and after it is destroyed.
HWND MainWindowHandle();

// Runs the clicked handler of big button `number` (1..10), as a click or a hotkey does.
void RunMainButtonHandler(int number);

// Shows a message box the way the program shows all of them: no owner, task-modal.
int ShowMessage(const char* text, const char* caption, UINT style);
