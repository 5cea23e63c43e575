// The 32-bit program with the 32-bit libraries: its calls into Sweepgate.dll go through with the
// stack as it was, and a library whose Cleaner_DelFile leaves its arguments behind is caught.
// Only in the i686 build, where the callee removes the arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

#if defined(__i386__)

using gui::App;

TEST(Shredder32, CallsThroughTheRealLibraryAndCatchesOneThatUnbalancesTheStack) {
  // Every process of 32-bit Wine runs under qemu here: wait generously.
  constexpr DWORD kSlow = 180000;
  for (bool bad : {false, true}) {
    SCOPED_TRACE(bad ? "unbalancing library" : "real library");
    std::string folder = App::MakeFolder(bad ? "shred32_bad" : "shred32_good");
    if (bad) {
      ASSERT_TRUE(CopyFileA((gui::TestProgramFolder() + "\\badsweep\\Sweepgate.dll").c_str(),
                            (folder + "\\Sweepgate.dll").c_str(), FALSE));
    }
    std::string file = folder + "\\victim.txt";
    fx::MakeFile(file, 4000);
    auto app = App::Start(folder, kSlow);
    ASSERT_TRUE(app);
    gui::Click(gui::BigButtons(app->main())[8]);
    HWND window = gui::WaitForWindow(app->pid(), "粉碎文件防止恢复", kSlow);
    ASSERT_NE(window, nullptr);  // Cleaner_Init went through
    gui::ListAdd(gui::Descendants(window, "ListBox").at(0), file);
    gui::Click(gui::Child(window, "一键粉碎！"));
    auto box = gui::WaitForMessageBox(app->pid(), kSlow);
    ASSERT_TRUE(box);
    if (!bad) {
      EXPECT_EQ(box->text, "文件粉碎完成！\r\n共粉碎文件1个");
      EXPECT_FALSE(fx::Exists(file));
      gui::Answer(*box, IDOK);
    } else {
      EXPECT_NE(box->text.find("Cleaner_DelFile"), std::string::npos) << box->text;
      EXPECT_NE(box->text.find("堆栈"), std::string::npos) << box->text;
      gui::Answer(*box, IDOK);
      std::optional<DWORD> code = app->WaitExit(kSlow);
      ASSERT_TRUE(code.has_value());
      EXPECT_EQ(*code, 0xFFFFFFFFu);
    }
  }
}

#endif
