// The shredder window of the real program on Wine: files and a folder tree added through the
// system's dialogs, the shred run with its marks and message, failures that stay listed, the two
// questions, closing during a run, and a missing library.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

using fx::Exists;
using fx::MakeFile;
using gui::App;

namespace {

std::string Fixture(const std::string& name) { return fx::FixtureFolder("shred_e2e", name); }

class ShredderE2E : public ::testing::Test {
 protected:
  void Start(bool withSweepgate = true, bool withEngine = true) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = App::MakeFolder(std::string("shredder_") + info->name());
    if (!withSweepgate) DeleteFileA((folder + "\\Sweepgate.dll").c_str());
    if (!withEngine) DeleteFileA((folder + "\\Cleaner.dll").c_str());
    app = App::Start(folder);
    ASSERT_TRUE(app) << "sysclean.exe did not show its main window";
  }
  // Opens the shredder window and finds its list and buttons.
  void Open() {
    gui::Click(gui::BigButtons(app->main())[8]);
    window = gui::WaitForWindow(app->pid(), "粉碎文件防止恢复");
    ASSERT_NE(window, nullptr);
    list = gui::Descendants(window, "ListBox").at(0);
  }
  HWND Button(const char* text) { return gui::Child(window, text); }
  std::vector<std::string> Items() { return gui::ListItems(list); }
  // Presses a button that asks a question and answers it.
  void Ask(const char* button, const char* caption, const char* text, int answer) {
    gui::Click(Button(button));
    auto box = gui::WaitForMessageBox(app->pid());
    ASSERT_TRUE(box) << button;
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text);
    EXPECT_TRUE(box->hasIcon);
    EXPECT_EQ(box->buttons.size(), 2u);
    gui::Answer(*box, answer);
    ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(box->hwnd); }));
  }
  std::optional<gui::MessageBoxInfo> ShredAndWaitForBox() {
    gui::Click(Button("一键粉碎！"));
    return gui::WaitForMessageBox(app->pid(), 30000);
  }
  bool NoBoxFor(DWORD ms) {
    Sleep(ms);
    return !gui::FindMessageBox(app->pid());
  }
  std::unique_ptr<App> app;
  HWND window = nullptr, list = nullptr;
};

// The dialog of process `pid` other than `besides`, once it is shown.
HWND WaitForDialog(DWORD pid, HWND besides) {
  HWND found = nullptr;
  gui::WaitUntil([&] {
    for (HWND h : gui::TopLevelWindows(pid)) {
      if (h != besides && IsWindowVisible(h) && gui::ClassOf(h) == "#32770") found = h;
    }
    return found != nullptr;
  }, 10000);
  return found;
}

}  // namespace

TEST_F(ShredderE2E, FilesAndATreeAreAddedShreddedMarkedAndTheListEmpties) {
  std::string t = Fixture("run");
  MakeFile(t + "\\single.doc", 30000);
  // Wine's folder browser has no edit box and its tree cannot be driven from outside; it opens
  // on the desktop, which is then the folder chosen. The bench's desktop is a folder of its own.
  char desktop[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
  std::string d = desktop;
  std::vector<std::string> tree = {d + "\\shred_x.txt", d + "\\shred_tree\\y.txt", d + "\\shred_tree\\sub\\z.txt"};
  CreateDirectoryA((d + "\\shred_tree").c_str(), nullptr);
  CreateDirectoryA((d + "\\shred_tree\\sub").c_str(), nullptr);
  for (const std::string& file : tree) MakeFile(file, 500);
  SetFileAttributesA(tree[2].c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  Start();
  Open();
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 540);
  EXPECT_EQ(outer.bottom - outer.top, 507);
  struct Place { const char* text; int x, y, w, h; } places[] = {
      {"添加文件", 16, 432, 72, 32}, {"添加文件夹", 106, 432, 72, 32}, {"删除项目", 208, 432, 72, 32},
      {"清空列表", 296, 432, 72, 32}, {"一键粉碎！", 400, 432, 128, 32}};
  for (const Place& p : places) {
    RECT rc = gui::PlaceInParent(Button(p.text));
    EXPECT_EQ(rc.left, p.x) << p.text;
    EXPECT_EQ(rc.top, p.y) << p.text;
    EXPECT_EQ(rc.right - rc.left, p.w) << p.text;
    EXPECT_EQ(rc.bottom - rc.top, p.h) << p.text;
  }
  RECT rc = gui::PlaceInParent(list);
  EXPECT_EQ(rc.left, 7);
  EXPECT_EQ(rc.top, 16);
  EXPECT_TRUE(Items().empty());
  EXPECT_TRUE(gui::ButtonsEnabled(app->main(), false));

  // One file through the Open dialog: its name typed, then "打开".
  gui::Click(Button("添加文件"));
  HWND open = gui::WaitForWindow(app->pid(), "添加一个需要粉碎的文件", 10000);
  ASSERT_NE(open, nullptr);
  HWND name = GetDlgItem(open, 0x47c) ? gui::Descendants(GetDlgItem(open, 0x47c), "Edit").at(0) : GetDlgItem(open, 0x480);
  ASSERT_NE(name, nullptr);
  gui::SetText(name, t + "\\single.doc");
  gui::Click(GetDlgItem(open, IDOK));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(open); }, 10000));

  // The desktop's tree through the folder browser.
  gui::Click(Button("添加文件夹"));
  HWND browser = WaitForDialog(app->pid(), window);
  ASSERT_NE(browser, nullptr);
  EXPECT_FALSE(gui::Enabled(window));  // the program's other windows wait for the browser
  EXPECT_NE(gui::Child(browser, "请选择一个目录："), nullptr);
  gui::Click(GetDlgItem(browser, IDOK));
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(browser); }, 10000));
  ASSERT_TRUE(gui::WaitUntil([&] { return Items().size() >= 4; }));
  EXPECT_TRUE(gui::Enabled(window));
  // The folder's own files first, then each sub-folder's, depth first.
  std::vector<std::string> expected = {t + "\\single.doc"};
  expected.insert(expected.end(), tree.begin(), tree.end());
  EXPECT_EQ(Items(), expected);
  gui::SaveScreenshot(window, "shredder");

  auto box = ShredAndWaitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "完成");
  EXPECT_EQ(box->text, "文件粉碎完成！\r\n共粉碎文件4个");
  std::vector<std::string> marked;
  for (const std::string& path : expected) marked.push_back("[已粉碎] " + path);
  EXPECT_EQ(Items(), marked);
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return Items().empty(); }));
  for (const std::string& path : expected) EXPECT_FALSE(Exists(path)) << path;
  EXPECT_TRUE(Exists(d + "\\shred_tree\\sub"));  // files are shredded, folders stay

  gui::CloseBox(window);
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(window); }));
  EXPECT_TRUE(gui::WaitUntil([&] { return gui::ButtonsEnabled(app->main(), true); }));
  Open();  // a second opening starts with an empty list
  EXPECT_TRUE(Items().empty());
}

TEST_F(ShredderE2E, AFileThatCannotBeShreddedIsMarkedFailedAndStaysForAnotherTry) {
  std::string t = Fixture("locked");
  MakeFile(t + "\\locked.txt", 2000, 'L');
  MakeFile(t + "\\free.txt", 2000);
  HANDLE held = CreateFileA((t + "\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Start();
  Open();
  gui::ListAdd(list, t + "\\locked.txt");
  gui::ListAdd(list, t + "\\free.txt");
  gui::ListAdd(list, t + "\\free.txt");  // twice: the second finds it gone already
  auto box = ShredAndWaitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "文件粉碎完成！\r\n共粉碎文件2个\r\n粉碎失败1个");
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return Items().size() == 1; }));
  EXPECT_EQ(Items(), std::vector<std::string>{"[粉碎失败] " + t + "\\locked.txt"});
  EXPECT_FALSE(Exists(t + "\\free.txt"));
  CloseHandle(held);
  EXPECT_EQ(fx::ReadBytes(t + "\\locked.txt"), std::string(2000, 'L'));  // whole

  box = ShredAndWaitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "文件粉碎完成！\r\n共粉碎文件1个");
  gui::Answer(*box, IDOK);
  ASSERT_TRUE(gui::WaitUntil([&] { return Items().empty(); }));
  EXPECT_FALSE(Exists(t + "\\locked.txt"));
}

TEST_F(ShredderE2E, DeleteAndClearAskFirstAndNothingHappensOnAnEmptyList) {
  Start();
  Open();
  for (const char* button : {"删除项目", "清空列表", "一键粉碎！"}) {
    gui::Click(Button(button));
    EXPECT_TRUE(NoBoxFor(600)) << button;
  }
  gui::ListAdd(list, "C:\\nothing\\one.txt");
  gui::ListAdd(list, "C:\\nothing\\two.txt");
  // Nothing selected: the question comes, and OK deletes nothing.
  Ask("删除项目", "删除", "确实要删除指定项目？", IDOK);
  EXPECT_EQ(Items().size(), 2u);
  DWORD_PTR r = 0;
  SendMessageTimeoutA(list, LB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r);
  Ask("删除项目", "删除", "确实要删除指定项目？", IDCANCEL);
  EXPECT_EQ(Items().size(), 2u);
  Ask("删除项目", "删除", "确实要删除指定项目？", IDOK);
  EXPECT_EQ(Items(), std::vector<std::string>{"C:\\nothing\\two.txt"});
  Ask("清空列表", "清空", "确实要清空列表？", IDCANCEL);
  EXPECT_EQ(Items().size(), 1u);
  Ask("清空列表", "清空", "确实要清空列表？", IDOK);
  EXPECT_TRUE(Items().empty());
}

TEST_F(ShredderE2E, ClosingDuringARunStopsItAfterTheFileInHand) {
  std::string t = Fixture("closing");
  Start();
  Open();
  for (int i = 0; i < 400; ++i) {
    std::string path = t + "\\f" + std::to_string(i) + ".bin";
    MakeFile(path, 20000);
    gui::ListAdd(list, path);
  }
  gui::Click(Button("一键粉碎！"));
  ASSERT_TRUE(gui::WaitUntil([&] { return !gui::Enabled(Button("添加文件")); }));
  EXPECT_FALSE(gui::Enabled(Button("一键粉碎！")));
  gui::CloseBox(window);
  ASSERT_TRUE(gui::WaitUntil([&] { return !IsWindow(window); }, 20000));
  EXPECT_TRUE(NoBoxFor(500));
  EXPECT_TRUE(gui::WaitUntil([&] { return gui::ButtonsEnabled(app->main(), true); }));
  EXPECT_TRUE(Exists(t + "\\f399.bin"));  // the run ended early
}

TEST_F(ShredderE2E, AMissingLibraryEndsTheProgramWithAnErrorNamingIt) {
  for (bool engineMissing : {false, true}) {
    SCOPED_TRACE(engineMissing ? "Cleaner.dll missing" : "Sweepgate.dll missing");
    Start(engineMissing, !engineMissing);
    gui::Click(gui::BigButtons(app->main())[8]);
    auto box = gui::WaitForMessageBox(app->pid(), 10000);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find("Sweepgate.dll"), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("Cleaner_Init"), std::string::npos) << box->text;
    EXPECT_TRUE(box->hasIcon);
    gui::Answer(*box, IDOK);
    std::optional<DWORD> code = app->WaitExit(10000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0xFFFFFFFFu);
  }
}
