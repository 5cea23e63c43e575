// Links inside the folders that the operations work on (Unix symbolic links, which Wine lists as
// reparse points; see make_link_fixture.sh) are never followed: what they point at stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleanops/file_search.h"
#include "cleanops/temp_store.h"
#include "tests/driver/fixture_files.h"

namespace {

const std::string kFixture = "C:\\linkfx";

using fx::Exists;

void ExpectOutsideUntouched() {
  EXPECT_TRUE(Exists(kFixture + "\\outside\\keep.txt"));
  EXPECT_TRUE(Exists(kFixture + "\\outside\\sub\\keep2.txt"));
}

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(kFixture + "\\outside\\keep.txt")) << "the link fixture (make_link_fixture.sh) is missing";
  }
};

}  // namespace

TEST_F(Links, WineListsAFolderLinkAsAReparsePoint) {
  DWORD attributes = GetFileAttributesA((kFixture + "\\scope_search\\dirlink").c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

TEST_F(Links, EmptyFolderRemovesWhatIsInsideButNothingALinkPointsAt) {
  const std::string scope = kFixture + "\\scope_empty";
  EXPECT_TRUE(EmptyFolder(scope, true, false));
  EXPECT_FALSE(Exists(scope + "\\a.tmp"));
  EXPECT_FALSE(Exists(scope + "\\real\\b.tmp"));
  ExpectOutsideUntouched();
}

TEST_F(Links, DeleteTreeFilesPassesOverLinks) {
  const std::string scope = kFixture + "\\scope_tree";
  DeleteTreeFiles(scope);
  EXPECT_FALSE(Exists(scope + "\\a.tmp"));
  EXPECT_FALSE(Exists(scope + "\\real\\b.tmp"));
  ExpectOutsideUntouched();
}

TEST_F(Links, SearchFilesDoesNotEnterLinksNorLoops) {
  std::vector<std::string> got;
  SearchFiles(kFixture + "\\scope_search", "*.tmp|keep*.txt", [&](const std::string& f, const std::string& n) {
    got.push_back(f + n);
  }, true);
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (std::vector<std::string>{kFixture + "\\scope_search\\a.tmp",
                                           kFixture + "\\scope_search\\real\\b.tmp"}));
}
