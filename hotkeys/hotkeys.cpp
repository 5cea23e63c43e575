// Registration and dispatch of the global hotkeys. Hotkey messages reach the main window, whose
// procedure is intercepted while hotkeys are registered; only ids this process assigned, from
// 33001 up to the last one, are handed on.
#include "hotkeys/hotkeys.h"

#include "app/app.h"
#include "app/shared_state.h"

namespace {

constexpr int32_t kFirstId = 33001;

struct Registration {
  int32_t idCounter = kFirstId - 1;  // each attempt takes the next value, failed ones included
  int32_t lastId = kFirstId - 1;
  int count = 0;                     // registrations not yet undone
  bool installed = false;
  HWND window = nullptr;
  WNDPROC previous = nullptr;
};
Registration g_reg;

LRESULT CALLBACK InterceptProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  WNDPROC previous = g_reg.previous;
  if (msg == WM_HOTKEY) {
    auto id = static_cast<int32_t>(wp);
    if (id >= kFirstId && id <= g_reg.lastId) DispatchHotkey(id);
    // The action may have ended the interception (the main window closed inside it); the
    // procedure we came from is still the one to hand the message to.
  }
  return CallWindowProcA(previous, hwnd, msg, wp, lp);
}

int32_t RegisterOne(HWND window, UINT modifiers, UINT key) {
  if (!g_reg.installed) {
    g_reg.window = window;
    g_reg.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InterceptProc)));
    g_reg.installed = true;
  }
  g_reg.count += 1;
  g_reg.idCounter += 1;
  g_reg.lastId = g_reg.idCounter;
  return RegisterHotKey(window, g_reg.idCounter, modifiers, key) ? g_reg.idCounter : 0;
}

void UnregisterOne(HWND window, int32_t id) {
  UnregisterHotKey(window, id);
  g_reg.count -= 1;
  if (g_reg.count == 0 && g_reg.installed) {
    SetWindowLongPtrA(g_reg.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_reg.previous));
    g_reg.installed = false;
  }
}

void AskToExit() {
  if (ShowMessage("确实要退出工具？", "退出", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  ReleaseSharedState();
  // At once, whatever window is open: ExitProcess ends a junk worker first, and that worker runs
  // on its own copy of the scope.
  ExitProcess(0);
}

void RunAction(const std::string& keyText) {
  if (keyText == "1") {
    if (HWND main = MainWindowHandle()) ShowWindow(main, SW_SHOW);
  } else if (keyText == "2") {
    RunMainButtonHandler(7);
  } else if (keyText == "3") {
    RunMainButtonHandler(1);
  } else if (keyText == "4") {
    RunMainButtonHandler(4);
  } else if (keyText == "5") {
    RunMainButtonHandler(6);
  } else if (keyText == "6") {
    AskToExit();
  }
}

}  // namespace

void RegisterAppHotkeys(HWND mainWindow) {
  HotkeyTable& table = Shared().hotkeyTable;
  table.clear();
  for (int k = 1; k <= 6; ++k) {
    HotkeyBinding binding;
    binding.ctrl = binding.alt = binding.shift = 1;
    binding.keyText = std::to_string(k);
    binding.id = RegisterOne(mainWindow, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 0x30 + k);
    table.push_back(binding);
  }
}

void UnregisterAppHotkeys(HWND mainWindow) {
  if (!SharedStateExists()) return;
  for (const HotkeyBinding& binding : Shared().hotkeyTable) UnregisterOne(mainWindow, binding.id);
}

void DispatchHotkey(int32_t id) {
  if (!SharedStateExists()) return;
  // The action may run a modal window, inside which the table could be rebuilt: act on a copy.
  std::vector<std::string> matched;
  for (const HotkeyBinding& binding : Shared().hotkeyTable) {
    if (binding.id == id) matched.push_back(binding.keyText);
  }
  for (const std::string& keyText : matched) RunAction(keyText);
}

int32_t LastHotkeyId() { return g_reg.lastId; }
bool HotkeyInterceptionInstalled() { return g_reg.installed; }
