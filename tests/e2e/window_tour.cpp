// A tour of the running program's windows for the user documentation: opens each window in turn
// (the main window's buttons, the run windows' results, the exit question), saves a screenshot of
// each as screenshots\<name>.png beside this program, and closes it again.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/driver/gui_driver.h"

namespace {

DWORD g_pid = 0;

void Shot(HWND h, const char* name) {
  if (!h) {
    std::printf("window for %s not found\n", name);
    return;
  }
  SetForegroundWindow(h);
  Sleep(600);
  std::printf("%s: %s\n", name, gui::SaveScreenshot(h, name) ? "saved" : "failed");
}

// Opens the window of big button `number` (1..10), shoots it and closes it with its close box.
void ScopeWindow(HWND main, int number, const char* caption, const char* name) {
  gui::Click(gui::BigButtons(main)[number - 1]);
  HWND h = gui::WaitForWindow(g_pid, caption, 10000);
  Shot(h, name);
  if (h) gui::CloseBox(h);
  gui::WaitUntil([&] { return !h || !IsWindow(h); });
}

// Runs big button `number` and shoots the message box that ends the run.
void RunWindow(HWND main, int number, const char* name) {
  gui::Click(gui::BigButtons(main)[number - 1]);
  auto box = gui::WaitForMessageBox(g_pid, 120000);
  if (!box) return Shot(nullptr, name);
  Shot(box->hwnd, name);
  gui::Answer(*box, IDOK);
  gui::WaitUntil([&] { return !IsWindow(box->hwnd); });
}

}  // namespace

int main() {
  HWND main = FindWindowA(nullptr, gui::kMainCaption);
  if (!main) {
    std::printf("sysclean.exe is not running\n");
    return 1;
  }
  GetWindowThreadProcessId(main, &g_pid);
  Shot(main, "main-window");
  ScopeWindow(main, 2, "垃圾文件清理设定", "junk-scope");
  ScopeWindow(main, 3, "设定历史记录清理范围", "history-scope");
  ScopeWindow(main, 5, "清理常用软件的历史记录", "software-scope");
  ScopeWindow(main, 8, "快捷键列表", "hotkey-list");

  gui::Click(gui::BigButtons(main)[8]);
  if (HWND shredder = gui::WaitForWindow(g_pid, "粉碎文件防止恢复", 10000)) {
    HWND list = gui::Descendants(shredder, "ListBox").at(0);
    for (const char* path : {"C:\\users\\Public\\Documents\\old-report.doc", "C:\\users\\Public\\Documents\\photos\\a.jpg",
                             "C:\\users\\Public\\Documents\\photos\\b.jpg"}) {
      gui::ListAdd(list, path);
    }
    Shot(shredder, "shredder");
    gui::CloseBox(shredder);
    gui::WaitUntil([&] { return !IsWindow(shredder); });
  }

  RunWindow(main, 1, "junk-result");
  RunWindow(main, 4, "history-result");
  RunWindow(main, 6, "software-result");

  gui::SendHotkey('6');
  if (auto box = gui::WaitForMessageBox(g_pid, 10000)) {
    Shot(box->hwnd, "exit-question");
    gui::Answer(*box, IDCANCEL);
  }
  return 0;
}
