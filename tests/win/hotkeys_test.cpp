// The hotkey table and the main window's interception, in this process: ids in the order of the
// attempts, a combination held elsewhere, the range of ids handed on, and the undoing.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/shared_state.h"
#include "hotkeys/hotkeys.h"

namespace {

constexpr UINT kMods = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

// A window of its own that holds a combination, as another program would.
struct Holder {
  Holder() {
    hwnd = CreateWindowExA(0, "STATIC", "holder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ~Holder() { DestroyWindow(hwnd); }
  HWND hwnd;
};

}  // namespace

TEST(Hotkeys, SixBindingsInOrderAndAHeldCombinationKeepsIdZero) {
  Holder other;
  ASSERT_TRUE(RegisterHotKey(other.hwnd, 7, kMods, '3'));
  CreateSharedState();
  int32_t before = LastHotkeyId();
  {
    MainWindow main;
    ASSERT_TRUE(main.Create());
    const HotkeyTable& table = Shared().hotkeyTable;
    ASSERT_EQ(table.size(), 6u);
    for (int k = 0; k < 6; ++k) {
      SCOPED_TRACE(k + 1);
      EXPECT_EQ(table[k].keyText, std::to_string(k + 1));
      EXPECT_EQ(table[k].ctrl + table[k].alt + table[k].shift, 3);
      // The failed attempt took its id too: the fourth binding has the fourth id of the run.
      EXPECT_EQ(table[k].id, k == 2 ? 0 : before + 1 + k);
    }
    EXPECT_EQ(LastHotkeyId(), before + 6);
    EXPECT_TRUE(HotkeyInterceptionInstalled());

    // Only ids from 33001 to the last one assigned are handed on: key "1" shows the window.
    ShowWindow(main.hwnd(), SW_HIDE);
    for (WPARAM stranger : {WPARAM{33000}, WPARAM(LastHotkeyId() + 1), WPARAM{0}}) {
      SendMessageA(main.hwnd(), WM_HOTKEY, stranger, 0);
      EXPECT_FALSE(IsWindowVisible(main.hwnd())) << stranger;
    }
    SendMessageA(main.hwnd(), WM_HOTKEY, table[0].id, 0);
    EXPECT_TRUE(IsWindowVisible(main.hwnd()));
    SendMessageA(main.hwnd(), WM_HOTKEY, table[0].id, 0);  // already shown: nothing changes
    EXPECT_TRUE(IsWindowVisible(main.hwnd()));

    DestroyWindow(main.hwnd());
  }
  // Unregistered with the window: the procedure is given back and others may take the keys.
  EXPECT_FALSE(HotkeyInterceptionInstalled());
  EXPECT_EQ(Shared().hotkeyTable.size(), 6u);  // the bindings stay until the records are released
  UnregisterHotKey(other.hwnd, 7);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_TRUE(RegisterHotKey(other.hwnd, 100 + k, kMods, '0' + k)) << k;
    UnregisterHotKey(other.hwnd, 100 + k);
  }
  ReleaseSharedState();
}
