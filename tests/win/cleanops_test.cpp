// The cleaning operations on real folders: what stays and what goes, links never followed,
// paths that do not fit, the search order, and the drive list.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleanops/file_search.h"
#include "cleanops/temp_store.h"

#include <shlobj.h>
#include <wininet.h>
#include "tests/driver/fixture_files.h"
#include "tests/driver/gui_driver.h"

using fx::AddCacheEntry;
using fx::CacheHas;
using fx::Exists;
using fx::MakeFile;

namespace {

std::string Fixture(const std::string& name) { return fx::FixtureFolder("fx", name); }

}  // namespace

TEST(EmptyFolder, EmptiesEverythingInsideAndKeepsTheFolder) {
  std::string t = Fixture("empty_all");
  MakeFile(t + "\\a.tmp");
  MakeFile(t + "\\ro.txt");
  SetFileAttributesA((t + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  MakeFile(t + "\\desktop.ini");
  CreateDirectoryA((t + "\\sub").c_str(), nullptr);
  MakeFile(t + "\\sub\\b.txt");
  MakeFile(t + "\\sub\\DESKTOP.INI");
  EXPECT_TRUE(EmptyFolder(t, true, false));
  EXPECT_TRUE(Exists(t));
  for (const char* gone : {"\\a.tmp", "\\ro.txt", "\\desktop.ini", "\\sub"}) EXPECT_FALSE(Exists(t + gone)) << gone;
}

TEST(EmptyFolder, KeepsEveryDesktopIniAndTheFoldersHoldingOne) {
  std::string t = Fixture("keep_ini");
  MakeFile(t + "\\desktop.ini");
  MakeFile(t + "\\x.lnk");
  CreateDirectoryA((t + "\\sub").c_str(), nullptr);
  MakeFile(t + "\\sub\\Desktop.ini");
  MakeFile(t + "\\sub\\y.lnk");
  CreateDirectoryA((t + "\\plain").c_str(), nullptr);
  MakeFile(t + "\\plain\\z.lnk");
  EXPECT_TRUE(EmptyFolder(t, false, false));
  EXPECT_TRUE(Exists(t + "\\desktop.ini"));
  EXPECT_TRUE(Exists(t + "\\sub\\Desktop.ini"));
  EXPECT_FALSE(Exists(t + "\\x.lnk"));
  EXPECT_FALSE(Exists(t + "\\sub\\y.lnk"));
  EXPECT_FALSE(Exists(t + "\\plain"));
  EXPECT_FALSE(EmptyFolder(t + "\\missing", false, false));
}

TEST(EmptyFolder, WipesIndexDatAfterItsFirst64BytesEvenWhenItStays) {
  std::string t = Fixture("index_dat");
  CreateDirectoryA((t + "\\small").c_str(), nullptr);
  CreateDirectoryA((t + "\\big").c_str(), nullptr);
  MakeFile(t + "\\small\\index.dat", 64, 'a');
  MakeFile(t + "\\big\\INDEX.DAT", 100000, 'b');
  // Another program holds both open, so that they cannot be deleted.
  HANDLE holds[2];
  int i = 0;
  for (const char* f : {"\\small\\index.dat", "\\big\\INDEX.DAT"}) {
    holds[i++] = CreateFileA((t + f).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  }
  EXPECT_TRUE(EmptyFolder(t, false, true));
  std::string big = fx::ReadBytes(t + "\\big\\INDEX.DAT");
  ASSERT_EQ(big.size(), 100000u);
  EXPECT_EQ(big.substr(0, 64), std::string(64, 'b'));
  EXPECT_EQ(big.substr(64), std::string(100000 - 64, '\0'));
  EXPECT_EQ(fx::ReadBytes(t + "\\small\\index.dat"), std::string(64, 'a'));
  for (HANDLE h : holds) CloseHandle(h);
}

TEST(DeleteTreeFiles, RemovesFilesAndLeavesFoldersAndReadOnlyFiles) {
  std::string t = Fixture("tree_files");
  CreateDirectoryA((t + "\\a").c_str(), nullptr);
  CreateDirectoryA((t + "\\a\\b").c_str(), nullptr);
  MakeFile(t + "\\top.txt");
  MakeFile(t + "\\a\\b\\deep.txt");
  MakeFile(t + "\\a\\ro.txt");
  SetFileAttributesA((t + "\\a\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteTreeFiles(t + "\\");
  EXPECT_FALSE(Exists(t + "\\top.txt"));
  EXPECT_FALSE(Exists(t + "\\a\\b\\deep.txt"));
  EXPECT_TRUE(Exists(t + "\\a\\b"));
  EXPECT_TRUE(Exists(t + "\\a\\ro.txt"));
  SetFileAttributesA((t + "\\a\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SearchFiles, ReportsDepthFirstPieceByPiece) {
  std::string t = Fixture("search");
  MakeFile(t + "\\a.txt");
  MakeFile(t + "\\b.log");
  CreateDirectoryA((t + "\\sub").c_str(), nullptr);
  MakeFile(t + "\\sub\\c.txt");
  CreateDirectoryA((t + "\\dir.txt").c_str(), nullptr);  // a folder whose name matches
  MakeFile(t + "\\hidden.txt");
  SetFileAttributesA((t + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

  std::vector<std::string> got;
  auto collect = [&](const std::string& folder, const std::string& name) { got.push_back(folder + "|" + name); };
  auto sorted = [](std::vector<std::string> v) { std::sort(v.begin(), v.end()); return v; };

  SearchFiles(t, "*.log|*.txt", collect, true);
  // Within one listing Windows decides the order; across pieces and folders it is fixed.
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0], t + "\\|b.log");
  EXPECT_EQ(sorted({got[1], got[2]}), sorted({t + "\\|a.txt", t + "\\|hidden.txt"}));
  EXPECT_EQ(got[3], t + "\\sub\\|c.txt");

  struct Case { std::string folder, patterns; bool recurse; size_t count; } cases[] = {
      {t + "\\", "*.log", false, 1},         // trailing backslash: the same
      {t, "*.txt|*.txt", false, 4},          // the same piece twice: reported twice
      {t, "*.log|", false, 1},               // a trailing separator changes nothing
      {t, "", true, 0},                      // an empty pattern text reports nothing
      {t, "||", true, 0},
      {t, "*.txt", false, 2},                // no recursion: nothing of sub
      {t + "\\missing", "*.*", true, 0},
  };
  for (const Case& c : cases) {
    got.clear();
    SearchFiles(c.folder, c.patterns, collect, c.recurse);
    EXPECT_EQ(got.size(), c.count) << c.folder << " " << c.patterns;
    for (const std::string& g : got) EXPECT_EQ(g.compare(0, t.size() + 2, t + "\\|"), 0) << g;
  }

  // A relative folder is searched from the current directory and reported absolute.
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(sizeof cwd, cwd);
  SetCurrentDirectoryA(t.c_str());
  got.clear();
  SearchFiles("sub", "*.*", collect, false);
  SetCurrentDirectoryA(cwd);
  EXPECT_EQ(got, std::vector<std::string>{t + "\\sub\\|c.txt"});
}

TEST(SearchFiles, SkipsPathsThatDoNotFitInsteadOfCuttingThem) {
  std::string t = Fixture("long");
  // A folder whose search text is longer than a path buffer: nothing of it is reported, and in
  // particular not the files of a shorter path that a cut would name.
  std::string deep = t;
  while (deep.size() < 250) {
    deep += "\\dddddddddddddddddddd";
    CreateDirectoryA(deep.c_str(), nullptr);
  }
  MakeFile(deep.substr(0, deep.rfind('\\')) + "\\short.txt");
  std::vector<std::string> got;
  SearchFiles(deep, "*.txt|*.*", [&](const std::string& f, const std::string& n) { got.push_back(f + n); }, true);
  EXPECT_TRUE(got.empty()) << got.front();
}

TEST(DriveList, ListsTheDrivesOfEachKindInLetterOrder) {
  // The bench maps C: (the prefix) and D: (a scratch folder) as fixed drives, E: as a CD-ROM.
  using V = std::vector<std::string>;
  EXPECT_EQ(DriveList(1), (V{"C:", "D:"}));
  EXPECT_EQ(DriveList(2), V{"E:"});
  EXPECT_EQ(DriveList(0), (V{"C:", "D:", "E:"}));
  EXPECT_EQ(DriveList(9), DriveList(0));
  EXPECT_EQ(DriveList(-1), DriveList(0));
  EXPECT_EQ(DriveList(3), V{});
  EXPECT_EQ(DriveList(4), V{});
}

TEST(ClearUrlCache, AnEmptyCacheGivesFalse) {
  // The bench's prefix starts with an empty cache.
  EXPECT_FALSE(ClearUrlCache(0));
  EXPECT_FALSE(ClearUrlCache(1));
}

TEST(ClearUrlCache, ModeZeroSparesCookiesAndModeOneTakesOnlyThem) {
  const char page[] = "http://example.org/page.htm";
  const char cookie[] = "Cookie:root@example.org/";
  ASSERT_TRUE(AddCacheEntry(page, NORMAL_CACHE_ENTRY));
  ASSERT_TRUE(AddCacheEntry(cookie, COOKIE_CACHE_ENTRY));
  ASSERT_TRUE(CacheHas(page));
  ASSERT_TRUE(CacheHas(cookie));
  EXPECT_TRUE(ClearUrlCache(1));
  EXPECT_TRUE(CacheHas(page));
  EXPECT_FALSE(CacheHas(cookie));
  ASSERT_TRUE(AddCacheEntry(cookie, COOKIE_CACHE_ENTRY));
  EXPECT_TRUE(ClearUrlCache(0));
  EXPECT_FALSE(CacheHas(page));
  EXPECT_TRUE(CacheHas(cookie));
  EXPECT_TRUE(ClearTempStore(3));
  EXPECT_FALSE(CacheHas(cookie));
}

TEST(ClearTempStore, KindsOutsideTheRangeEmptyTheTemporaryFolder) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  for (int32_t kind : {0, 7, -1}) {
    std::string folder = std::string(temp) + "sysclean-temp-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    MakeFile(folder + "\\x.tmp");
    MakeFile(std::string(temp) + "desktop.ini");
    EXPECT_TRUE(ClearTempStore(kind)) << kind;
    EXPECT_FALSE(Exists(folder)) << kind;
    EXPECT_FALSE(Exists(std::string(temp) + "desktop.ini")) << kind;
    EXPECT_TRUE(Exists(temp)) << kind;
  }
}

TEST(ClearTempStore, RecycleBinReportsTheShellsAnswerWithoutAQuestion) {
  // Wine's shell empties the bin of one drive root but answers a call for all drives (no root
  // path) with a failure; the kind reports what the shell answered, and asks nothing.
  HRESULT shell = SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
  EXPECT_EQ(ClearTempStore(2), shell == S_OK);
  EXPECT_FALSE(gui::FindMessageBox(GetCurrentProcessId()).has_value());
}
