// The real program on Wine, driven from outside: the main window's controls, the modal opening
// of every child window, the clean-all sequence, the banner and the ways the program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/png_image.h"
#include "tests/driver/gui_driver.h"

using gui::App;

namespace {

struct Place {
  const char* name;
  const char* parent;  // caption of the group box, or nullptr for the window
  const char* text;
  int x, y, w, h;
};

const Place kPlaces[] = {
    {"分组框1", nullptr, "系统垃圾清理：", 8, 8, 328, 168},
    {"超级按钮1", "系统垃圾清理：", "一键清除", 26, 37, 100, 100},
    {"超级按钮2", "系统垃圾清理：", "范围设定", 201, 37, 100, 100},
    {"分组框2", nullptr, "系统历史记录清理：", 8, 181, 328, 168},
    {"超级按钮3", "系统历史记录清理：", "范围设定", 200, 38, 100, 100},
    {"超级按钮4", "系统历史记录清理：", "一键清除", 26, 39, 100, 100},
    {"分组框3", nullptr, "常用软件记录清理：", 8, 356, 328, 168},
    {"超级按钮5", "常用软件记录清理：", "范围设定", 200, 41, 100, 100},
    {"超级按钮6", "常用软件记录清理：", "一键清除", 25, 44, 100, 100},
    {"分组框4", nullptr, "", 352, 8, 160, 512},
    {"超级按钮7", "", "全部一键清理", 24, 36, 111, 100},
    {"标签1", "", "快捷键反馈", 32, 160, 80, 24},
    {"超级按钮10", "", "隐藏软件", 87, 236, 64, 64},
    {"超级按钮8", nullptr, "快捷键列表", 362, 244, 64, 64},
    {"超级按钮9", nullptr, "文件粉碎", 383, 395, 100, 100},
    {"分组框5", nullptr, "关注 Quorvel Software Lab 更多产品：", 8, 528, 504, 176},
};

HWND Find(HWND main, const char* parent, const char* text) {
  HWND p = parent ? gui::Child(main, parent) : main;
  return p ? gui::Child(p, text) : nullptr;
}

using gui::BigButtons;
using gui::ButtonsEnabled;

HWND PictureBox(HWND main) {
  HWND group = gui::Child(main, "关注 Quorvel Software Lab 更多产品：");
  std::vector<HWND> children = group ? gui::Children(group) : std::vector<HWND>{};
  return children.empty() ? nullptr : children[0];
}

std::string ReadText(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  char buf[4096];
  DWORD n = 0;
  ReadFile(f, buf, sizeof buf, &n, nullptr);
  CloseHandle(f);
  return std::string(buf, n);
}

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    app = App::Start(App::MakeFolder(info->name()));
    ASSERT_TRUE(app) << "sysclean.exe did not show its main window";
    main = app->main();
  }
  std::unique_ptr<App> app;
  HWND main = nullptr;
};

}  // namespace

TEST_F(MainWindowE2E, ControlsStandAtTheirPlacesWithTheirCaptions) {
  EXPECT_EQ(gui::Text(main), "Quorvel PC Cleaner     by Quorvel Software Lab");
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 527);
  EXPECT_EQ(outer.bottom - outer.top, 740);
  for (const Place& p : kPlaces) {
    HWND h = Find(main, p.parent, p.text);
    ASSERT_NE(h, nullptr) << p.name;
    RECT rc = gui::PlaceInParent(h);
    EXPECT_EQ(rc.left, p.x) << p.name;
    EXPECT_EQ(rc.top, p.y) << p.name;
    EXPECT_EQ(rc.right - rc.left, p.w) << p.name;
    EXPECT_EQ(rc.bottom - rc.top, p.h) << p.name;
  }
  EXPECT_FALSE(gui::Visible(Find(main, "", "快捷键反馈")));
  for (HWND b : BigButtons(main)) {
    EXPECT_NE(SendMessageA(b, BM_GETIMAGE, IMAGE_ICON, 0), 0) << gui::Text(b) << " has no icon";
  }
  HWND picture = PictureBox(main);
  ASSERT_NE(picture, nullptr);
  RECT rc = gui::PlaceInParent(picture);
  EXPECT_EQ(rc.left, 7);
  EXPECT_EQ(rc.top, 15);
  EXPECT_EQ(rc.right - rc.left, 490);
  EXPECT_EQ(rc.bottom - rc.top, 150);
  EXPECT_TRUE(ButtonsEnabled(main, true));
  gui::SaveScreenshot(main, "main_window");
}

TEST_F(MainWindowE2E, EveryButtonOpensItsWindowModallyAndEveryWayOutReleasesTheLock) {
  struct Case {
    int button;  // 1..9 in button order
    const char* caption;
    enum { kCloseButton, kCloseBox, kEscape } way;
  } cases[] = {
      {2, "垃圾文件清理设定", Case::kCloseBox},
      {3, "设定历史记录清理范围", Case::kEscape},
      {5, "清理常用软件的历史记录", Case::kCloseBox},
      {8, "快捷键列表", Case::kCloseButton},          {9, "粉碎文件防止恢复", Case::kCloseBox},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    gui::Click(BigButtons(main)[c.button - 1]);
    HWND child = gui::WaitForWindow(app->pid(), c.caption);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(ButtonsEnabled(main, false));
    EXPECT_FALSE(gui::Enabled(main));
    switch (c.way) {
      case Case::kCloseButton: gui::Click(gui::Child(child, "关闭")); break;
      case Case::kCloseBox: gui::CloseBox(child); break;
      case Case::kEscape:
        SetForegroundWindow(child);
        gui::WaitUntil([&] { return GetAncestor(gui::FocusOf(child), GA_ROOT) == child || gui::FocusOf(child) == child; }, 2000);
        gui::PressKey(child, VK_ESCAPE);
        break;
    }
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(child); }));
    EXPECT_TRUE(gui::WaitUntil([&] { return ButtonsEnabled(main, true) && gui::Enabled(main); }));
  }
}

TEST_F(MainWindowE2E, CleanAllRunsTheThreeRunWindowsAndReportsOnce) {
  gui::Click(BigButtons(main)[6]);
  auto box = gui::WaitForMessageBox(app->pid(), 15000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "完成");
  EXPECT_EQ(box->text, "一键清理完成！");
  EXPECT_TRUE(box->hasIcon);
  ASSERT_EQ(box->buttons.size(), 1u);
  EXPECT_EQ(box->buttons[0].first, IDOK);
  // Each run window released the lock as it ended; the box itself keeps the window from input.
  EXPECT_TRUE(ButtonsEnabled(main, true));
  gui::SaveScreenshot(box->hwnd, "clean_all_done");
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::FindMessageBox(app->pid()); }));
  EXPECT_TRUE(gui::WaitUntil([&] { return ButtonsEnabled(main, true) && gui::Enabled(main); }));
}

TEST_F(MainWindowE2E, HideMakesTheWindowInvisibleAndTheProgramGoesOn) {
  gui::Click(BigButtons(main)[9]);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::Visible(main); }));
  EXPECT_FALSE(app->WaitExit(500).has_value());
  EXPECT_TRUE(ButtonsEnabled(main, true));
}

TEST_F(MainWindowE2E, ClosingTheMainWindowEndsTheProgramWithoutAQuestion) {
  gui::CloseBox(main);
  std::optional<DWORD> code = app->WaitExit(10000);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

TEST_F(MainWindowE2E, KeyboardMovesBetweenButtonsAndOpensWithEnter) {
  SetForegroundWindow(main);
  ASSERT_TRUE(gui::WaitUntil([&] { return gui::FocusOf(main) != nullptr; }));
  HWND first = gui::FocusOf(main);
  gui::PressKey(main, VK_TAB);
  ASSERT_TRUE(gui::WaitUntil([&] { return gui::FocusOf(main) != first; }));
  // Tab until the junk scope button has the focus, then Enter opens its window.
  HWND scope = BigButtons(main)[1];
  for (int i = 0; i < 12 && gui::FocusOf(main) != scope; ++i) {
    HWND before = gui::FocusOf(main);
    gui::PressKey(main, VK_TAB);
    gui::WaitUntil([&] { return gui::FocusOf(main) != before; }, 1000);
  }
  ASSERT_EQ(gui::FocusOf(main), scope);
  gui::PressKey(main, VK_RETURN);
  HWND child = gui::WaitForWindow(app->pid(), "垃圾文件清理设定");
  ASSERT_NE(child, nullptr);
  gui::WaitUntil([&] { return GetAncestor(gui::FocusOf(child), GA_ROOT) == child; }, 2000);
  gui::PressKey(child, VK_ESCAPE);
  EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(child); }));
}

namespace {

// Points the shell's "open" of .html pages at the page recorder, for as long as it lives.
class HtmlHandler {
 public:
  explicit HtmlHandler(const std::string& recorder) {
    std::string command = "\"" + recorder + "\" \"%1\"";
    RegCreateKeyA(HKEY_CLASSES_ROOT, ".html", &ext_);
    char old[256] = {};
    LONG size = sizeof old;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS) old_ = old;
    RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "SyscleanTest.Page", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "SyscleanTest.Page\\shell\\open\\command", REG_SZ,
                 command.c_str(), 0);
  }
  ~HtmlHandler() {
    RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, old_.c_str(), 0);
    RegCloseKey(ext_);
  }

 private:
  HKEY ext_ = nullptr;
  std::string old_;
};

}  // namespace

TEST_F(MainWindowE2E, BannerIsEmptyUntilTheFirstTickThenRotatesAndOpensItsPage) {
  HWND picture = PictureBox(main);
  ASSERT_NE(picture, nullptr);
  SetForegroundWindow(main);
  const std::string opened = gui::TestProgramFolder() + "\\opened.txt";
  DeleteFileA(opened.c_str());
  HtmlHandler handler(gui::TestProgramFolder() + "\\page_recorder.exe");

  // Before the first tick (3 s after start) the picture box shows no picture, and a click on it
  // opens nothing.
  RgbImage before = gui::Capture(picture);
  ASSERT_FALSE(before.pixels.empty());
  const uint8_t* c = &before.pixels[(75 * before.width + 245) * 3];
  const uint8_t* e = &before.pixels[(10 * before.width + 5) * 3];
  EXPECT_TRUE(c[0] == e[0] && c[1] == e[1] && c[2] == e[2]) << "the banner shows a picture already";
  PostMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(100, 50));
  Sleep(1500);
  EXPECT_EQ(ReadText(opened), "");

  // The ticks show pictures 1, 2, 3, 4 and 1 again, centred in the picture box.
  HMODULE self = LoadLibraryExA((app->folder() + "\\sysclean.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  for (int expected : {1, 2, 3, 4, 1}) {
    SendMessageA(main, WM_TIMER, 1, 0);
    UpdateWindow(picture);
    HRSRC r = FindResourceA(self, MAKEINTRESOURCEA(200 + expected), RT_RCDATA);
    auto png = DecodePng(static_cast<const uint8_t*>(LockResource(LoadResource(self, r))), SizeofResource(self, r));
    ASSERT_TRUE(png);
    bool same = gui::WaitUntil([&] {
      RgbImage shot = gui::Capture(picture);
      for (auto [x, y] : {std::pair{225, 75}, std::pair{300, 40}, std::pair{60, 75}}) {
        const uint8_t* s = &shot.pixels[(static_cast<size_t>(y) * shot.width + x + 20) * 3];
        const uint8_t* p = &png->pixels[(static_cast<size_t>(y) * png->width + x) * 3];
        if (s[0] != p[0] || s[1] != p[1] || s[2] != p[2]) return false;
      }
      return true;
    }, 3000);
    EXPECT_TRUE(same) << "picture " << expected;
  }
  FreeLibrary(self);
  gui::SaveScreenshot(main, "main_window_banner");

  // Picture 1 is shown now: a click opens its page, the junk cleaning help beside the program.
  PostMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(100, 50));
  ASSERT_TRUE(gui::WaitUntil([&] { return !ReadText(opened).empty(); }, 10000));
  std::string page = ReadText(opened);
  EXPECT_NE(page.find(app->folder() + "\\help\\junk.html"), std::string::npos) << page;
  EXPECT_TRUE(ButtonsEnabled(main, true));
}
