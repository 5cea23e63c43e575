// Double-byte rules: a backslash that is the trail byte of a character is not a separator.
#include "common/ansi_text.h"

#include <gtest/gtest.h>

TEST(AnsiText, FolderOfCutsAtTheLastBackslashCharacter) {
  struct Case { std::string path, folder; } cases[] = {
      {"C:\\a\\b.exe", "C:\\a"},
      {"C:\\x.exe", "C:"},
      {"x.exe", ""},
      {"", ""},
      // 0x95 0x5C is one character whose trail byte looks like a backslash.
      {"C:\\dir\\\x95\x5C.exe", "C:\\dir"},
      {"C:\\a\\\x95\x5C", "C:\\a"},
      // A lone lead byte at the end swallows nothing past the text.
      {"C:\\a\\\x95", "C:\\a"},
      {"系统\\清理.exe", "系统"},
  };
  for (const Case& c : cases) EXPECT_EQ(ansi::FolderOf(c.path), c.folder) << c.path;
}

TEST(AnsiText, FindLastCharStepsOverDoubleByteCharacters) {
  EXPECT_EQ(ansi::FindLastChar("a|b|c", '|'), 3u);
  EXPECT_EQ(ansi::FindLastChar("a|\x95|", '|'), 1u);  // the second "|" is a trail byte
  EXPECT_EQ(ansi::FindLastChar("abc", '|'), std::string_view::npos);
}
