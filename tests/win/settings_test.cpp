// The settings files on the real profile functions: loading by the byte rules, the writers'
// layout, and a failed write leaving the old file whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/shared_state.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "tests/driver/fixture_files.h"

namespace {

void Put(const char* name, const std::string& bytes) { ASSERT_TRUE(fx::WriteBytes(SettingsPath(name), bytes)); }
std::string Get(const std::string& path) { return fx::ReadBytes(path); }

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedState();
    for (const char* name : {"csetup1.ini", "csetup2.ini", "csetup3.ini", "reference.ini"}) {
      DeleteFileA(SettingsPath(name).c_str());
    }
  }
  void TearDown() override { ReleaseSharedState(); }
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(SettingsTest, NoFilesGiveEmptyScopes) {
  LoadSettings();
  EXPECT_TRUE(Shared().junkScope.locations.empty());
  EXPECT_TRUE(Shared().junkScope.patterns.empty());
  for (int32_t flag : Shared().historyScope) EXPECT_EQ(flag, 0);
  EXPECT_EQ(Shared().softwareScope, (SoftwareScope{0, 0}));
}

TEST_F(SettingsTest, JunkEntriesLoadByTheirMarksAndCounts) {
  Put("csetup1.ini",
      "[devices]\r\nnumber=3\r\n1=C:\\|真\r\n3=D:\\|真\r\n4=E:\\|真\r\n"
      "[filetypes]\r\nnumber=２\r\n1=*.tmp|真\r\n2=*.bak|假\r\n");
  LoadSettings();
  EXPECT_EQ(Shared().junkScope.locations, (Strings{"C:\\", "D:\\"}));  // "2" missing, "4" beyond the count
  EXPECT_EQ(Shared().junkScope.patterns, (Strings{"*.tmp"}));

  struct Case { const char* number; size_t loaded; } counts[] = {
      {"2abc", 2}, {"-1", 0}, {"abc", 0}, {"", 0}, {" 1", 1},
  };
  for (const Case& c : counts) {
    Put("csetup1.ini", std::string("[devices]\r\nnumber=") + c.number +
                           "\r\n1=a|真\r\n2=|真\r\n3=c|真\r\n");
    LoadSettings();
    EXPECT_EQ(Shared().junkScope.locations.size(), c.loaded) << c.number;
  }
  EXPECT_EQ(Shared().junkScope.locations, Strings{"a"});
}

TEST_F(SettingsTest, FlagsAreStoredAsRead) {
  Put("csetup2.ini", "[clshistory]\r\nllqlsdz=1\r\nbdzdwcls=2\r\nllwzls=１\r\n");
  Put("csetup3.ini", "[softhistory]\r\nWMP=1\r\n");
  LoadSettings();
  EXPECT_EQ(Shared().historyScope, (HistoryScope{1, 2, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(Shared().softwareScope, (SoftwareScope{1, 0}));
}

TEST_F(SettingsTest, ReadIniTextCutsLongValuesAndIgnoresBlankNames) {
  Put("csetup1.ini", "[s]\r\nk=" + std::string(12000, 'x') + "\r\n");
  const std::string file = SettingsPath("csetup1.ini");
  EXPECT_EQ(ReadIniText(file, "s", "k", "").size(), 10239u);
  EXPECT_EQ(ReadIniText(file, " \t", "k", "d"), "");
  EXPECT_EQ(ReadIniText(file, "s", " ", "d"), "");
  EXPECT_EQ(ReadIniText("  " + file, " s", "\tk", "").size(), 10239u);
  EXPECT_EQ(ReadIniText(file, "s", "missing", "d"), "d");
}

TEST_F(SettingsTest, WritersLayTheFileOutAsTheProfileFunctionsDoAndDropOtherKeys) {
  // The reference: the same keys written one by one into a new file by the profile function.
  const std::string reference = SettingsPath("reference.ini");
  for (int k = 0; k < 10; ++k) {
    WritePrivateProfileStringA("clshistory", settings::kHistoryKeys[k], k == 6 ? "1" : "0", reference.c_str());
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, reference.c_str());

  Put("csetup2.ini", "[clshistory]\r\nhand=made\r\n[other]\r\nx=1\r\n");
  Shared().historyScope = HistoryScope{0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  WriteHistorySettings();
  EXPECT_EQ(Get(SettingsPath("csetup2.ini")), Get(reference));
  EXPECT_EQ(Get(SettingsPath("csetup2.ini.new")), "<missing>");

  WriteJunkSettings({{"C:\\", true}, {"清理系统临时文件", false}}, {{"*.tmp", true}});
  EXPECT_EQ(Get(SettingsPath("csetup1.ini")),
            "[devices]\r\nnumber=2\r\n1=C:\\|真\r\n2=清理系统临时文件|假\r\n"
            "[filetypes]\r\nnumber=1\r\n1=*.tmp|真\r\n");
  LoadSettings();
  EXPECT_EQ(Shared().junkScope.locations, Strings{"C:\\"});
  EXPECT_EQ(Shared().junkScope.patterns, Strings{"*.tmp"});

  WriteJunkSettings({{"C:\\", false}}, {});
  LoadSettings();
  EXPECT_TRUE(Shared().junkScope.locations.empty());
  EXPECT_TRUE(Shared().junkScope.patterns.empty());
}

TEST_F(SettingsTest, AFailedWriteLeavesTheOldFileWhole) {
  const std::string old = "[softhistory]\r\nWMP=1\r\nWinRAR=1\r\n";
  Put("csetup3.ini", old);
  // The new file cannot be made: a folder stands where it would go.
  ASSERT_TRUE(CreateDirectoryA(SettingsPath("csetup3.ini.new").c_str(), nullptr));
  Shared().softwareScope = SoftwareScope{0, 0};
  WriteSoftwareSettings();
  RemoveDirectoryA(SettingsPath("csetup3.ini.new").c_str());
  EXPECT_EQ(Get(SettingsPath("csetup3.ini")), old);

  WriteSoftwareSettings();
  EXPECT_EQ(Get(SettingsPath("csetup3.ini")), "[softhistory]\r\nWMP=0\r\nWinRAR=0\r\n");
}
