// The junk run's work on a real folder tree: what it deletes and counts, and what it leaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <shlobj.h>
#include <wininet.h>

#include "junk/junk_run.h"
#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

namespace {

std::string Fixture(const std::string& name) { return fx::FixtureFolder("junkfx", name); }

void MakeFile(const std::string& path, size_t size = 100, DWORD attributes = 0) {
  fx::MakeFile(path, size);
  if (attributes) SetFileAttributesA(path.c_str(), attributes);
}

using fx::Exists;

}  // namespace

TEST(JunkRun, DeletesExactlyTheMatchingFilesAndCountsWhatWentAway) {
  const std::string t = Fixture("tree");
  MakeFile(t + "\\a.tmp", 3000);
  MakeFile(t + "\\~a.tmp");                      // matches two patterns: counted once
  MakeFile(t + "\\report.bakery");                // its short name ends in .BAK: not junk
  MakeFile(t + "\\notes.tmpl");
  MakeFile(t + "\\keep.doc");
  MakeFile(t + "\\hidden.tmp", 100, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile(t + "\\ro.tmp", 100, FILE_ATTRIBUTE_READONLY);  // shown, left in place, not counted
  CreateDirectoryA((t + "\\.cache").c_str(), nullptr);
  MakeFile(t + "\\.cache\\y.tmp");                 // a folder starting with a dot is not entered
  CreateDirectoryA((t + "\\sub").c_str(), nullptr);
  MakeFile(t + "\\sub\\z.bak", 5000);
  // A sparse file of 5 GB: its full size counts.
  HANDLE big = CreateFileA((t + "\\sub\\big.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER five;
  five.QuadPart = 5LL << 30;
  SetFilePointerEx(big, five, nullptr, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);

  // The trap this closes: the file system's own search finds report.bakery for "*.bak", through
  // its 8.3 short name.
  WIN32_FIND_DATAA fd;
  HANDLE trap = FindFirstFileA((t + "\\*.bak").c_str(), &fd);
  ASSERT_NE(trap, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(fd.cFileName, "report.bakery");
  FindClose(trap);

  JunkScope scope{{t}, {"*.tmp", "*.bak", "~*.*"}};  // the location has no trailing backslash
  JunkRunState state;
  RunJunkClean(state, scope);

  EXPECT_EQ(state.workerDone.load(), 1);
  EXPECT_EQ(state.filesFound.load(), 5);
  EXPECT_EQ(state.totalKB.load(), (5LL << 20) + 2 + 4);
  for (const char* gone : {"\\a.tmp", "\\~a.tmp", "\\hidden.tmp", "\\sub\\z.bak", "\\sub\\big.tmp"}) {
    EXPECT_FALSE(Exists(t + gone)) << gone;
  }
  for (const char* kept : {"\\report.bakery", "\\notes.tmpl", "\\keep.doc", "\\ro.tmp", "\\.cache\\y.tmp"}) {
    EXPECT_TRUE(Exists(t + kept)) << kept;
  }
  SetFileAttributesA((t + "\\ro.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(JunkRun, EmptyListsOrAStopCleanNothing) {
  const std::string t = Fixture("nothing");
  MakeFile(t + "\\a.tmp");
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string tempFile = std::string(temp) + "junk-run-test.tmp";
  MakeFile(tempFile);

  struct Case { JunkScope scope; int32_t stop; } cases[] = {
      {JunkScope{{t, "清理系统临时文件"}, {}}, 0},
      {JunkScope{{}, {"*.tmp"}}, 0},
      {JunkScope{{t, "清理系统临时文件"}, {"*.tmp"}}, 1},
  };
  for (const Case& c : cases) {
    JunkRunState state;
    state.stopRequested = c.stop;
    RunJunkClean(state, c.scope);
    EXPECT_EQ(state.workerDone.load(), 1);
    EXPECT_EQ(state.filesFound.load(), 0);
    EXPECT_EQ(state.totalKB.load(), 0);
    EXPECT_TRUE(Exists(t + "\\a.tmp"));
    EXPECT_TRUE(Exists(tempFile));
  }

  JunkRunState state;
  RunJunkClean(state, JunkScope{{"清理系统临时文件"}, {"*.none"}});
  EXPECT_FALSE(Exists(tempFile));  // the special location empties the temporary folder
  EXPECT_TRUE(Exists(t + "\\a.tmp"));
}

TEST(JunkRun, OneWorkerAtATime) {
  const std::string t = Fixture("workers");
  for (int i = 0; i < 200; ++i) CreateDirectoryA((t + "\\d" + std::to_string(i)).c_str(), nullptr);
  auto first = std::make_shared<JunkRunState>();
  auto second = std::make_shared<JunkRunState>();
  ASSERT_TRUE(StartJunkWorker(first, JunkScope{{t}, {"*.tmp"}}));
  // While the first works, a second run is not started.
  if (first->workerDone.load() == 0) EXPECT_FALSE(StartJunkWorker(second, JunkScope{{t}, {"*.tmp"}}));
  ASSERT_TRUE(gui::WaitUntil([&] { return !JunkWorkerBusy(); }, 20000));
  EXPECT_EQ(first->workerDone.load(), 1);
  EXPECT_TRUE(StartJunkWorker(second, JunkScope{{t}, {"*.tmp"}}));
  ASSERT_TRUE(gui::WaitUntil([&] { return !JunkWorkerBusy(); }, 20000));
  EXPECT_EQ(second->workerDone.load(), 1);
}

namespace {

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
  return path;
}

}  // namespace

TEST(JunkRun, TheSpecialLocationsClearTheTemporaryFolderTheCacheAndTheCookies) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  MakeFile(std::string(temp) + "special.tmp");
  const char page[] = "http://example.org/junk-run.htm";
  const char cookie[] = "Cookie:root@example.org/junk-run";
  ASSERT_TRUE(fx::AddCacheEntry(page, NORMAL_CACHE_ENTRY));
  ASSERT_TRUE(fx::AddCacheEntry(cookie, COOKIE_CACHE_ENTRY));
  const std::string cacheFile = ShellFolder(CSIDL_INTERNET_CACHE) + "\\stray.htm";
  const std::string cookieFile = ShellFolder(CSIDL_COOKIES) + "\\stray.txt";
  MakeFile(cacheFile);
  MakeFile(cookieFile);

  JunkRunState state;
  RunJunkClean(state, JunkScope{{"清理系统临时文件", "清理IE临时文件", "清理系统存根文件"}, {"*.tmp"}});
  EXPECT_FALSE(Exists(std::string(temp) + "special.tmp"));
  EXPECT_FALSE(fx::CacheHas(page));
  EXPECT_FALSE(fx::CacheHas(cookie));
  EXPECT_FALSE(Exists(cacheFile));
  EXPECT_FALSE(Exists(cookieFile));
  EXPECT_EQ(state.filesFound.load(), 0);  // the special locations are not counted
}
