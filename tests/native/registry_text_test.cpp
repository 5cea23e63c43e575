// Registry path splitting and SID text.
#include "cleanops/registry_text.h"

#include <gtest/gtest.h>

using registry_text::SplitRegistryPath;

TEST(RegistryText, SplitsAtTheLastBackslashCharacter) {
  struct Case { std::string path, key, value; } cases[] = {
      {"Software\\A\\B", "Software\\A", "B"},
      {"B", "", "B"},
      {"Software\\A\\", "Software\\A", ""},  // the key's default value
      {"", "", ""},
      // The last backslash byte is the trail byte of 0x95 0x5C: the split is before that character.
      {"Software\\A\\x\x95\x5C", "Software\\A", "x\x95\x5C"},
      // A lead byte at the very end ends the scan.
      {"Software\\A\\\x95", "Software\\A", "\x95"},
  };
  for (const Case& c : cases) {
    auto parts = SplitRegistryPath(c.path);
    EXPECT_EQ(parts.key, c.key) << c.path;
    EXPECT_EQ(parts.value, c.value) << c.path;
  }
}

TEST(RegistryText, SidText) {
  EXPECT_EQ(registry_text::SidText(5, {21, 1, 2, 3, 1000}), "S-1-5-21-1-2-3-1000");
  EXPECT_EQ(registry_text::SidText(5, {18}), "S-1-5-18");
  EXPECT_EQ(registry_text::SidText(1, {}), "S-1-1");
  EXPECT_EQ(registry_text::SidText(255, {4294967295u}), "S-1-255-4294967295");
}
