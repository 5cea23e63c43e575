// Drives the real program from another process on the same Wine: starts it, finds its windows
// by caption, reads and clicks controls, answers message boxes and saves screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/png_image.h"

namespace gui {

// Waits until `done` holds, polling; false when `timeoutMs` passed first.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The folder of the running test program, without a trailing backslash.
std::string TestProgramFolder();

// A started copy of the program. Its folder is a fresh copy of sysclean.exe, Sweepgate.dll,
// Cleaner.dll and the help pages
// (a folder of its own, so that its settings files are its own). Ends the process when dropped.
class App {
 public:
  // Prepares the folder; `files` are written into it first (name, content) as settings files.
  static std::string MakeFolder(const std::string& name,
                                const std::vector<std::pair<std::string, std::string>>& files = {});
  // Starts the program in `folder` and waits for its main window.
  static std::unique_ptr<App> Start(const std::string& folder, DWORD timeoutMs = 15000);
  ~App();

  HWND main() const { return main_; }
  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  const std::string& folder() const { return folder_; }
  // Exit code once the process has ended within `timeoutMs`.
  std::optional<DWORD> WaitExit(DWORD timeoutMs);

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND main_ = nullptr;
  std::string folder_;
};

constexpr char kMainCaption[] = "Quorvel PC Cleaner     by Quorvel Software Lab";

// A visible top-level window of process `pid` whose caption is exactly `caption`.
HWND FindTopLevel(DWORD pid, const std::string& caption);
HWND WaitForWindow(DWORD pid, const std::string& caption, DWORD timeoutMs = 5000);
std::vector<HWND> TopLevelWindows(DWORD pid);

// Direct children of `parent`, in Z order.
std::vector<HWND> Children(HWND parent);
// The direct child of `parent` whose text is `text` (the nth such child).
HWND Child(HWND parent, const std::string& text, int nth = 0);

std::string Text(HWND h);
std::string ClassOf(HWND h);
// Place and size of `h` within its parent's client area.
RECT PlaceInParent(HWND h);
bool Enabled(HWND h);
bool Visible(HWND h);
// Sets the text of an edit control (of another process).
void SetText(HWND h, const std::string& text);
// The entries of a list box, in order; appending one as the program itself would.
std::vector<std::string> ListItems(HWND list);
void ListAdd(HWND list, const std::string& text);
// Descendants of `parent` (at any depth) of window class `className`, in Z order.
std::vector<HWND> Descendants(HWND parent, const std::string& className);

// Clicks a button without waiting for what the click starts (a modal window, say).
void Click(HWND button);
// Asks a window to close as its close box does.
void CloseBox(HWND window);
// A key press on the control that has the keyboard focus in `top`'s thread.
void PressKey(HWND top, WORD vk);
HWND FocusOf(HWND top);
// The main window's ten big buttons, in button order, and whether all are enabled (or disabled).
std::vector<HWND> BigButtons(HWND main);
bool ButtonsEnabled(HWND main, bool enabled);

// Presses Ctrl+Alt+Shift+`key` as the keyboard would (a global hotkey of the program).
void SendHotkey(char key);

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::pair<int, std::string>> buttons;  // id and caption, in Z order
  bool hasIcon = false;
};
std::optional<MessageBoxInfo> FindMessageBox(DWORD pid);
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs = 5000);
// Chooses the button with `id` (IDOK, IDCANCEL...).
void Answer(const MessageBoxInfo& box, int id);

// The screen's pixels under a window (it must be visible and on top).
RgbImage Capture(HWND h);
// Saves a screenshot of `h` as screenshots\<name>.png beside the test program.
bool SaveScreenshot(HWND h, const std::string& name);

}  // namespace gui
