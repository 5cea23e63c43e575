// The global hotkeys of the real program, pressed as the keyboard would from another process,
// and the hotkey list window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/gui_driver.h"

using gui::App;

namespace {

class HotkeysE2E : public ::testing::Test {
 protected:
  void Start() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    app = App::Start(App::MakeFolder(std::string("hotkeys_") + info->name()));
    ASSERT_TRUE(app) << "sysclean.exe did not show its main window";
    main = app->main();
    // Key presses reach the system only through a window that has the keyboard focus; when an
    // earlier program ended with the focus, none has it until a window is brought forward.
    SetForegroundWindow(main);
    gui::WaitUntil([&] { return GetForegroundWindow() == main; }, 3000);
  }
  // Presses the key and waits for the message box that its action ends with.
  // (A key press made while the focus is still moving between programs can be lost: when nothing
  // at all has happened after a while, the key is pressed once more.)
  std::optional<gui::MessageBoxInfo> PressAndWaitForBox(char key, DWORD timeoutMs = 15000) {
    size_t windows = gui::TopLevelWindows(app->pid()).size();
    gui::SendHotkey(key);
    auto box = gui::WaitForMessageBox(app->pid(), 3000);
    if (!box && gui::TopLevelWindows(app->pid()).size() == windows) {
      gui::SendHotkey(key);
    }
    return box ? box : gui::WaitForMessageBox(app->pid(), timeoutMs);
  }
  void AnswerAndWaitGone(const gui::MessageBoxInfo& box, int id) {
    gui::Answer(box, id);
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(box.hwnd); }));
  }
  std::unique_ptr<App> app;
  HWND main = nullptr;
};

}  // namespace

TEST_F(HotkeysE2E, AHeldCombinationDoesNothingHereAndTheOthersStillWork) {
  // Another program (this test) holds Ctrl+Alt+Shift+3 before sysclean starts.
  HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 3, MOD_CONTROL | MOD_ALT | MOD_SHIFT, '3'));
  Start();
  // A key press made while the keyboard focus is still moving between programs can be lost
  // before any hotkey check: press again until the holder has it.
  MSG msg;
  bool reached = false;
  for (int attempt = 0; attempt < 3 && !reached; ++attempt) {
    gui::SendHotkey('3');
    reached = gui::WaitUntil([&] { return PeekMessageA(&msg, holder, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != 0; }, 3000);
  }
  EXPECT_TRUE(reached);
  Sleep(1000);
  EXPECT_EQ(gui::FindTopLevel(app->pid(), "清理垃圾文件"), nullptr);
  EXPECT_FALSE(gui::FindMessageBox(app->pid()));

  auto box = PressAndWaitForBox('4');
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "系统历史记录清理完成！");
  AnswerAndWaitGone(*box, IDOK);
  UnregisterHotKey(holder, 3);
  DestroyWindow(holder);
}

TEST_F(HotkeysE2E, ShowKeyBringsBackTheHiddenWindowAndOtherwiseChangesNothing) {
  Start();
  gui::Click(gui::BigButtons(main)[9]);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::Visible(main); }));
  gui::SendHotkey('1');
  ASSERT_TRUE(gui::WaitUntil([&] { return gui::Visible(main); }));
  size_t windows = gui::TopLevelWindows(app->pid()).size();
  gui::SendHotkey('1');
  Sleep(500);
  EXPECT_TRUE(gui::Visible(main));
  EXPECT_EQ(gui::TopLevelWindows(app->pid()).size(), windows);
  EXPECT_TRUE(gui::ButtonsEnabled(main, true));
}

TEST_F(HotkeysE2E, RunKeysOpenTheirRunsAlsoWhileTheWindowIsHidden) {
  Start();
  gui::Click(gui::BigButtons(main)[9]);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::Visible(main); }));
  struct Case {
    char key;
    const char* caption;
    const char* text;
  } cases[] = {
      {'2', "完成", "一键清理完成！"},
      {'3', "清理结果", nullptr},  // the junk run's totals
      {'4', nullptr, "系统历史记录清理完成！"},
      {'5', nullptr, "成功完成历史记录的清理！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    auto box = PressAndWaitForBox(c.key);
    ASSERT_TRUE(box);
    if (c.caption) EXPECT_EQ(box->caption, c.caption);
    if (c.text) EXPECT_EQ(box->text, c.text);
    AnswerAndWaitGone(*box, IDOK);
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::ButtonsEnabled(main, true); }));
  }
  EXPECT_FALSE(gui::Visible(main));
}

TEST_F(HotkeysE2E, NoRunStartsBesideTheJunkScopeWindow) {
  Start();
  gui::Click(gui::BigButtons(main)[1]);
  HWND scope = gui::WaitForWindow(app->pid(), "垃圾文件清理设定");
  ASSERT_NE(scope, nullptr);
  for (char key : {'3', '2'}) {
    gui::SendHotkey(key);
    Sleep(800);
    EXPECT_EQ(gui::FindTopLevel(app->pid(), "清理垃圾文件"), nullptr) << key;
    EXPECT_FALSE(gui::FindMessageBox(app->pid())) << key;
  }
  EXPECT_EQ(GetForegroundWindow(), scope);
  gui::CloseBox(scope);
  EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(scope) && gui::ButtonsEnabled(main, true); }));
}

TEST_F(HotkeysE2E, ExitKeyAsksAndEndsTheProgramOnlyOnOk) {
  Start();
  auto box = PressAndWaitForBox('6');
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "退出");
  EXPECT_EQ(box->text, "确实要退出工具？");
  EXPECT_TRUE(box->hasIcon);
  ASSERT_EQ(box->buttons.size(), 2u);
  AnswerAndWaitGone(*box, IDCANCEL);
  EXPECT_FALSE(app->WaitExit(500).has_value());
  EXPECT_TRUE(gui::Visible(main));

  // Also while a child window is open.
  gui::Click(gui::BigButtons(main)[7]);
  ASSERT_NE(gui::WaitForWindow(app->pid(), "快捷键列表"), nullptr);
  box = PressAndWaitForBox('6');
  ASSERT_TRUE(box);
  gui::Answer(*box, IDOK);
  std::optional<DWORD> code = app->WaitExit(10000);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

TEST_F(HotkeysE2E, HotkeyListShowsTheSixLinesAndLocksTheButtonsWhileOpen) {
  Start();
  struct Line {
    const char* what;
    const char* keys;
    int x, y, keysX, keysY;
  } lines[] = {
      {"显示窗口：", "Ctrl + Alt + Shift + 1", 34, 27, 110, 27},
      {"一键全清：", "Ctrl + Alt + Shift + 2", 34, 62, 110, 63},
      {"清理垃圾：", "Ctrl + Alt + Shift + 3", 34, 100, 110, 100},
      {"清理历史：", "Ctrl + Alt + Shift + 4", 35, 138, 111, 138},
      {"清理软件：", "Ctrl + Alt + Shift + 5", 36, 177, 112, 177},
      {"退出软件：", "Ctrl + Alt + Shift + 6", 36, 216, 112, 216},
  };
  for (bool closeBox : {false, true}) {
    gui::Click(gui::BigButtons(main)[7]);
    HWND list = gui::WaitForWindow(app->pid(), "快捷键列表");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(gui::ButtonsEnabled(main, false));
    RECT outer;
    GetWindowRect(list, &outer);
    EXPECT_EQ(outer.right - outer.left, 372);
    EXPECT_EQ(outer.bottom - outer.top, 339);
    HWND group = gui::Child(list, "快捷键：");
    ASSERT_NE(group, nullptr);
    RECT g = gui::PlaceInParent(group);
    EXPECT_EQ(g.left, 8);
    EXPECT_EQ(g.top, 8);
    EXPECT_EQ(g.right - g.left, 346);
    EXPECT_EQ(g.bottom - g.top, 256);
    for (const Line& line : lines) {
      SCOPED_TRACE(line.what);
      HWND what = gui::Child(group, line.what), keys = gui::Child(group, line.keys);
      ASSERT_TRUE(what && keys);
      RECT a = gui::PlaceInParent(what), b = gui::PlaceInParent(keys);
      EXPECT_EQ(a.left, line.x);
      EXPECT_EQ(a.top, line.y);
      EXPECT_EQ(a.right - a.left, 104);
      EXPECT_EQ(b.left, line.keysX);
      EXPECT_EQ(b.top, line.keysY);
      EXPECT_EQ(b.right - b.left, 212);
    }
    HWND close = gui::Child(list, "关闭");
    ASSERT_NE(close, nullptr);
    RECT c = gui::PlaceInParent(close);
    EXPECT_EQ(c.left, 264);
    EXPECT_EQ(c.top, 272);
    if (!closeBox) gui::SaveScreenshot(list, "hotkey_list");
    if (closeBox) gui::CloseBox(list); else gui::Click(close);
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(list); }));
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::ButtonsEnabled(main, true) && gui::Enabled(main); }));
  }
}
