// The history cleaners driven from outside: their scope windows and their runs against keys and
// folders that the test makes.
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

using fx::Exists;

using gui::App;

namespace {

void MakeKey(const std::string& path, const char* value) {
  HKEY k = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
  if (value) RegSetValueExA(k, value, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  RegCloseKey(k);
}

bool KeyExists(const std::string& path) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

bool ValueExists(const std::string& key, const char* value) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(k, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(k);
  return found;
}

HWND GroupButton(HWND main, const char* group, const char* text) { return gui::Child(gui::Child(main, group), text); }

// A check box of the scope window, inside its group box.
bool Checked(HWND scope, const char* caption) {
  for (HWND child : gui::Children(scope)) {
    if (HWND box = gui::Child(child, caption)) return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  ADD_FAILURE() << "no check box " << caption;
  return false;
}

}  // namespace

TEST(HistoryE2E, ScopeWindowShowsOnlyFlagsOfOneAndRewritesAllTenKeys) {
  const std::string old = "[clshistory]\r\nllqlsdz=1\r\nbdzdwcls=2\r\nhand=made\r\n";
  std::string folder = App::MakeFolder("history_scope", {{"csetup2.ini", old}});
  auto app = App::Start(folder);
  ASSERT_TRUE(app);
  const char* group = "系统历史记录清理：";

  for (bool useCloseBox : {false, true}) {
    gui::Click(GroupButton(app->main(), group, "范围设定"));
    HWND scope = gui::WaitForWindow(app->pid(), "设定历史记录清理范围");
    ASSERT_NE(scope, nullptr);
    EXPECT_TRUE(Checked(scope, "浏览器历史地址记录"));
    EXPECT_FALSE(Checked(scope, "表单自动完成历史记录"));  // 2 counts as off
    if (useCloseBox) gui::CloseBox(scope);
    else gui::Click(gui::Child(scope, "取消"));
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(scope) && gui::Enabled(GroupButton(app->main(), group, "范围设定")); }));
    EXPECT_EQ(fx::ReadBytes(folder + "\\csetup2.ini"), old);
  }

  gui::Click(GroupButton(app->main(), group, "范围设定"));
  HWND scope = gui::WaitForWindow(app->pid(), "设定历史记录清理范围");
  ASSERT_NE(scope, nullptr);
  gui::Click(gui::Child(scope, "确定"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(scope); }));
  EXPECT_EQ(fx::ReadBytes(folder + "\\csetup2.ini"),
            "[clshistory]\r\nllqlsdz=1\r\nbdzdwcls=0\r\nzdmmls=0\r\nscjdnr=0\r\nzdbhls=0\r\nyxzdzdppls=0\r\n"
            "dkwdls=0\r\nwlljls=0\r\nycdlls=0\r\nllwzls=0\r\n");
}

TEST(HistoryE2E, RunClearsExactlyTheTickedStores) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  const std::string recentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
  const std::string runMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  MakeKey(typed, "url1");
  MakeKey(recentDocs, "MRUListEx");
  MakeKey(runMru, "a");
  char recent[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, recent, CSIDL_RECENT, TRUE));
  fx::WriteBytes(std::string(recent) + "\\desktop.ini", "[.ShellClassInfo]\r\n");
  fx::WriteBytes(std::string(recent) + "\\report.lnk", "lnk");

  // RunMRU (kind 5) holds 2: off, so its key stays.
  std::string folder = App::MakeFolder(
      "history_run", {{"csetup2.ini", "[clshistory]\r\nllqlsdz=1\r\nyxzdzdppls=2\r\ndkwdls=1\r\n"}});
  auto app = App::Start(folder);
  ASSERT_TRUE(app);
  gui::Click(GroupButton(app->main(), "系统历史记录清理：", "一键清除"));
  HWND run = gui::WaitForWindow(app->pid(), "清理系统历史记录");
  ASSERT_NE(run, nullptr);
  auto box = gui::WaitForMessageBox(app->pid(), 10000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "系统历史记录清理完成！");
  EXPECT_EQ(box->caption, "完成");
  gui::CloseBox(run);  // refused
  Sleep(300);
  EXPECT_TRUE(IsWindow(run));
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(run); }));
  EXPECT_FALSE(KeyExists(typed));
  EXPECT_FALSE(KeyExists(recentDocs));
  EXPECT_TRUE(KeyExists(runMru));
  EXPECT_TRUE(Exists(std::string(recent) + "\\desktop.ini"));
  EXPECT_FALSE(Exists(std::string(recent) + "\\report.lnk"));
  SHDeleteKeyA(HKEY_CURRENT_USER, runMru.c_str());
}

TEST(HistoryE2E, SoftwareRunDeletesTheArchiversListsOnly) {
  MakeKey("Software\\WinRAR\\ArcHistory", "0");
  MakeKey("Software\\WinRAR", "DialogEditHistory");  // a value where the name is a value
  MakeKey("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0");
  std::string folder = App::MakeFolder("software_run", {{"csetup3.ini", "[softhistory]\r\nWMP=0\r\nWinRAR=1\r\n"}});
  auto app = App::Start(folder);
  ASSERT_TRUE(app);
  gui::Click(GroupButton(app->main(), "常用软件记录清理：", "一键清除"));
  auto box = gui::WaitForMessageBox(app->pid(), 10000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "成功完成历史记录的清理！");
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::FindTopLevel(app->pid(), "清理常用软件的历史记录"); }));
  EXPECT_FALSE(KeyExists("Software\\WinRAR\\ArcHistory"));
  EXPECT_FALSE(ValueExists("Software\\WinRAR", "DialogEditHistory"));
  EXPECT_TRUE(KeyExists("Software\\WinRAR"));
  EXPECT_TRUE(KeyExists("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"));
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer");
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\WinRAR");
}

TEST(HistoryE2E, CleanAllRunsTheThreeCleanersWithTheirScopesAndReportsOnce) {
  const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
  MakeKey(typed, "url1");
  MakeKey("Software\\WinRAR\\ArcHistory", "0");
  std::string folder = App::MakeFolder("clean_all_scoped");
  std::string junk = folder + "\\junk";
  CreateDirectoryA(junk.c_str(), nullptr);
  fx::WriteBytes(junk + "\\old.tmp", "junk");
  fx::WriteBytes(folder + "\\csetup1.ini", "[devices]\r\nnumber=1\r\n1=" + junk + "\\|真\r\n[filetypes]\r\nnumber=1\r\n1=*.tmp|真\r\n");
  fx::WriteBytes(folder + "\\csetup2.ini", "[clshistory]\r\nllqlsdz=1\r\n");
  fx::WriteBytes(folder + "\\csetup3.ini", "[softhistory]\r\nWinRAR=1\r\n");
  auto app = App::Start(folder);
  ASSERT_TRUE(app);
  gui::Click(gui::Child(gui::Child(app->main(), ""), "全部一键清理"));
  auto box = gui::WaitForMessageBox(app->pid(), 20000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "一键清理完成！");  // the only message of the sequence
  EXPECT_EQ(box->caption, "完成");
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::FindMessageBox(app->pid()); }));
  Sleep(500);
  EXPECT_FALSE(gui::FindMessageBox(app->pid()).has_value());
  EXPECT_FALSE(Exists(junk + "\\old.tmp"));
  EXPECT_FALSE(KeyExists(typed));
  EXPECT_FALSE(KeyExists("Software\\WinRAR\\ArcHistory"));
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\WinRAR");
}
