// The bench itself: the code page the program's texts assume, the GBK literals, and the seal of
// the Wine prefix (no drive may reach the host's files outside the sandbox).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/driver/gui_driver.h"

TEST(Platform, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }

TEST(Platform, NarrowLiteralsAreGbk) {
  const std::string t = "真";
  EXPECT_EQ(t, std::string("\xD5\xE6"));
  EXPECT_EQ(std::string("假"), std::string("\xBC\xD9"));
}

TEST(Platform, EveryDriveLiesInsideTheSandbox) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  ASSERT_NE(toUnix, nullptr) << "the bench runs on Wine";
  const char* scratch = std::getenv("SYSCLEAN_SCRATCH");
  ASSERT_NE(scratch, nullptr);
  const std::string root = std::string(scratch) + "/";

  DWORD drives = GetLogicalDrives();
  int seen = 0;
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    wchar_t letter[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', 0};
    char* unixPath = toUnix(letter);
    ASSERT_NE(unixPath, nullptr) << static_cast<char>('A' + i);
    std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    EXPECT_EQ(path.compare(0, root.size(), root), 0)
        << static_cast<char>('A' + i) << ": maps " << path << ", outside " << root;
    ++seen;
  }
  EXPECT_GE(seen, 1);
  // The host's root must be out of reach through any drive letter.
  EXPECT_EQ(GetFileAttributesA("Z:\\"), INVALID_FILE_ATTRIBUTES);
}

TEST(Platform, DriverHotkeysReachRegisterHotKey) {
  HWND window = CreateWindowExA(0, "STATIC", "hotkey probe", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 80,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(RegisterHotKey(window, 0x7001, MOD_CONTROL | MOD_ALT | MOD_SHIFT, '7'));
  gui::SendHotkey('7');
  bool got = gui::WaitUntil([&] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY && msg.wParam == 0x7001) return true;
      DispatchMessageA(&msg);
    }
    return false;
  }, 3000);
  EXPECT_TRUE(got);
  UnregisterHotKey(window, 0x7001);
  DestroyWindow(window);
}
