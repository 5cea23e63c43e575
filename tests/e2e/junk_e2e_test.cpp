// The junk cleaner driven from outside: the scope window and a run on a test folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

using fx::Exists;
using fx::MakeFile;

using gui::App;

namespace {

HWND JunkButton(HWND main, const char* text) { return gui::Child(gui::Child(main, "系统垃圾清理："), text); }

bool AllButtonsEnabled(HWND main) { return gui::ButtonsEnabled(main, true); }

// The check lists of the scope window: items and their check states.
struct Item {
  std::string text;
  bool checked;
};
std::vector<Item> Items(HWND list) {
  std::vector<Item> items;
  int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    // Read as UTF-16: Wine hands a list box's text to another process in that form only.
    wchar_t wide[256] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back({text, SendMessageA(list, LB_GETITEMDATA, i, 0) == 1});
  }
  return items;
}

// The two check lists, on the tab control's pages: the locations, then the 56 patterns.
std::vector<HWND> CheckLists(HWND scope) {
  std::vector<HWND> lists;
  for (HWND tab : gui::Children(scope)) {
    for (HWND c : gui::Children(tab)) {
      if (_stricmp(gui::ClassOf(c).c_str(), "ListBox") == 0) lists.push_back(c);
    }
  }
  if (lists.size() == 2 && SendMessageA(lists[0], LB_GETCOUNT, 0, 0) == 56) std::swap(lists[0], lists[1]);
  return lists;
}

}  // namespace

TEST(JunkE2E, ARunDeletesTheMatchingFilesAndReportsWhatWentAway) {
  std::string folder = App::MakeFolder("junk_run");
  std::string junk = folder + "\\junk";
  CreateDirectoryA(junk.c_str(), nullptr);
  CreateDirectoryA((junk + "\\.hidden").c_str(), nullptr);
  CreateDirectoryA((junk + "\\sub").c_str(), nullptr);
  MakeFile(junk + "\\a.tmp", 1500);
  MakeFile(junk + "\\keep.txt", 10);
  MakeFile(junk + "\\report.bakery", 10);
  MakeFile(junk + "\\.hidden\\b.tmp", 10);
  MakeFile(junk + "\\sub\\c.bak", 3000);
  // The location is stored without its trailing backslash.
  std::string ini = "[devices]\r\nnumber=1\r\n1=" + junk + "|真\r\n[filetypes]\r\nnumber=2\r\n1=*.tmp|真\r\n2=*.bak|真\r\n";
  ASSERT_TRUE(fx::WriteBytes(folder + "\\csetup1.ini", ini));

  auto app = App::Start(folder);
  ASSERT_TRUE(app);
  gui::Click(JunkButton(app->main(), "一键清除"));
  HWND run = gui::WaitForWindow(app->pid(), "清理垃圾文件");
  ASSERT_NE(run, nullptr);
  auto box = gui::WaitForMessageBox(app->pid(), 15000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "清理结果");
  EXPECT_EQ(box->text, "本次清理，共：\r\n清理垃圾文件：2个\r\n清理垃圾大小：0MB");
  EXPECT_TRUE(box->hasIcon);
  gui::CloseBox(run);  // refused: the run window closes only after the message
  Sleep(300);
  EXPECT_TRUE(IsWindow(run));
  gui::Answer(*box, IDOK);
  EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(run) && AllButtonsEnabled(app->main()); }));
  EXPECT_FALSE(Exists(junk + "\\a.tmp"));
  EXPECT_FALSE(Exists(junk + "\\sub\\c.bak"));
  EXPECT_TRUE(Exists(junk + "\\keep.txt"));
  EXPECT_TRUE(Exists(junk + "\\report.bakery"));
  EXPECT_TRUE(Exists(junk + "\\.hidden\\b.tmp"));
}

TEST(JunkE2E, ScopeWindowTicksWhatIsSavedAndSavesWhatIsTicked) {
  std::string folder = App::MakeFolder("junk_scope");
  const std::string old = "[devices]\r\nnumber=3\r\n1=c:\\|真\r\n2=Q:\\|真\r\n3=清理IE临时文件|真\r\n"
                          "[filetypes]\r\nnumber=1\r\n1=*.pch|真\r\n";
  ASSERT_TRUE(fx::WriteBytes(folder + "\\csetup1.ini", old));
  auto app = App::Start(folder);
  ASSERT_TRUE(app);

  // Cancel first: nothing changes.
  gui::Click(JunkButton(app->main(), "范围设定"));
  HWND scope = gui::WaitForWindow(app->pid(), "垃圾文件清理设定");
  ASSERT_NE(scope, nullptr);
  std::vector<HWND> lists = CheckLists(scope);
  ASSERT_EQ(lists.size(), 2u);
  std::vector<Item> locations = Items(lists[0]);
  ASSERT_EQ(locations.size(), 5u);  // C: and D: are fixed; E: is a CD-ROM drive; Q: is no drive
  const char* expected[] = {"C:\\", "D:\\", "清理系统临时文件", "清理IE临时文件", "清理系统存根文件"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(locations[i].text, expected[i]);
  EXPECT_FALSE(locations[0].checked);  // "c:\" does not tick "C:\"
  EXPECT_TRUE(locations[3].checked);
  std::vector<Item> patterns = Items(lists[1]);
  ASSERT_EQ(patterns.size(), 56u);
  EXPECT_TRUE(patterns[31].checked && patterns[48].checked);  // "*.pch" stands twice
  gui::Click(gui::Child(scope, "取消"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(scope) && AllButtonsEnabled(app->main()); }));
  EXPECT_EQ(fx::ReadBytes(folder + "\\csetup1.ini"), old);

  // "推荐" and "确定".
  gui::Click(JunkButton(app->main(), "范围设定"));
  scope = gui::WaitForWindow(app->pid(), "垃圾文件清理设定");
  ASSERT_NE(scope, nullptr);
  lists = CheckLists(scope);
  HWND tab = GetParent(lists[1]);
  gui::Click(gui::Child(tab, "推荐"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !Items(lists[1])[48].checked; }));
  patterns = Items(lists[1]);
  const std::string on = "111111111111111111111111111111111000010000001100011010";
  for (int i = 0; i < 54; ++i) EXPECT_EQ(patterns[i].checked, on[i] == '1') << i << " " << patterns[i].text;
  gui::Click(gui::Child(scope, "确定"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(scope) && AllButtonsEnabled(app->main()); }));
  std::string saved = fx::ReadBytes(folder + "\\csetup1.ini");
  EXPECT_EQ(saved.find("Q:\\"), std::string::npos) << saved;
  EXPECT_NE(saved.find("[devices]\r\nnumber=5\r\n1=C:\\|假\r\n2=D:\\|假\r\n3=清理系统临时文件|假\r\n"
                       "4=清理IE临时文件|真\r\n5=清理系统存根文件|假\r\n[filetypes]\r\nnumber=56\r\n1=*.??$|真\r\n"),
            std::string::npos) << saved;
  EXPECT_NE(saved.find("32=*.pch|真\r\n"), std::string::npos);
  EXPECT_NE(saved.find("49=*.pch|假\r\n"), std::string::npos);
  EXPECT_NE(saved.find("56=Thumbs.db|假\r\n"), std::string::npos);
}

namespace {

long CountFiles(const std::string& folder) {
  long n = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (fd.cFileName[0] == '.') continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) n += CountFiles(folder + "\\" + fd.cFileName);
    else ++n;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

}  // namespace

TEST(JunkE2E, StopClosesAtOnceAndTheNextRunCountsWhatIsLeft) {
  std::string folder = App::MakeFolder("junk_stop");
  std::string junk = folder + "\\junk";
  CreateDirectoryA(junk.c_str(), nullptr);
  for (int i = 0; i < 1500; ++i) {
    std::string dir = junk + "\\d" + std::to_string(i);
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int j = 0; j < 4; ++j) MakeFile(dir + "\\f" + std::to_string(j) + ".tmp", 10);
  }
  std::string ini = "[devices]\r\nnumber=1\r\n1=" + junk + "\\|真\r\n[filetypes]\r\nnumber=1\r\n1=*.tmp|真\r\n";
  ASSERT_TRUE(fx::WriteBytes(folder + "\\csetup1.ini", ini));
  auto app = App::Start(folder);
  ASSERT_TRUE(app);

  gui::Click(JunkButton(app->main(), "一键清除"));
  HWND run = gui::WaitForWindow(app->pid(), "清理垃圾文件");
  ASSERT_NE(run, nullptr);
  gui::Click(gui::Child(run, "立即停止！"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(run); }, 3000));
  EXPECT_TRUE(gui::WaitUntil([&] { return AllButtonsEnabled(app->main()); }));
  Sleep(1500);
  EXPECT_FALSE(gui::FindMessageBox(app->pid()).has_value()) << "a stopped run reports nothing";
  const long left = CountFiles(junk);
  ASSERT_GT(left, 0) << "the run ended before the stop";

  gui::Click(JunkButton(app->main(), "一键清除"));
  auto box = gui::WaitForMessageBox(app->pid(), 60000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "本次清理，共：\r\n清理垃圾文件：" + std::to_string(left) + "个\r\n清理垃圾大小：0MB");
  gui::Answer(*box, IDOK);
  EXPECT_EQ(CountFiles(junk), 0);
}
