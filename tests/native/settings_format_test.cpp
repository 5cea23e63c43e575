// Reading counts and flags, and splitting entries, by the byte rules of the settings files.
#include "settings/settings_format.h"

#include <gtest/gtest.h>

using settings::EntryValue;
using settings::IntegerOfText;
using settings::LoadedEntry;
using settings::SplitEntry;

TEST(SettingsFormat, IntegerOfText) {
  struct Case { std::string text; int32_t value; } cases[] = {
      {"2", 2},          {"2abc", 2},      {"abc", 0},          {"", 0},
      {"-3", -3},        {"+7", 7},        {"  \t12", 12},      {"0012", 12},
      {"２", 2},          // full-width digit
      {"１２x", 12},      {"－５", -5},     {"　３", 3},           // full-width minus, full-width space
      {"3 4", 3},        {"- 4", 0},       {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
      {"\xA3", 0},       // a lone lead byte
      {"\xB0\xB2" "5", 0},  // an ordinary double-byte character stops the digits
  };
  for (const auto& c : cases) EXPECT_EQ(IntegerOfText(c.text), c.value) << c.text;
}

TEST(SettingsFormat, SplitEntry) {
  using V = std::vector<std::string>;
  struct Case { std::string value; V pieces; } cases[] = {
      {"C:\\|真", V{"C:\\", "真"}},
      {"|真", V{"", "真"}},
      {"a|真|x", V{"a", "真", "x"}},
      {"a||b", V{"a", "", "b"}},
      {"a|", V{"a"}},
      {"a", V{"a"}},
      {"", V{}},
      // "\x95|" is one character: its trail byte does not cut.
      {"\x95|a|真", V{"\x95|a", "真"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitEntry(c.value), c.pieces) << c.value;
}

TEST(SettingsFormat, OnlyEntriesMarkedTrueLoad) {
  struct Case { std::string value; std::optional<std::string> loads; } cases[] = {
      {"C:\\|真", "C:\\"}, {"C:\\|假", std::nullopt}, {"C:\\", std::nullopt},
      {"|真", ""},        {"a|真|x", "a"},           {"a|b|真", std::nullopt},
      {"a|真 ", std::nullopt},  // byte for byte
  };
  for (const auto& c : cases) EXPECT_EQ(LoadedEntry(c.value), c.loads) << c.value;
}

TEST(SettingsFormat, EntryValueRoundTrips) {
  EXPECT_EQ(EntryValue("C:\\", true), "C:\\|\xD5\xE6");
  EXPECT_EQ(EntryValue("*.??$", false), "*.??$|\xBC\xD9");
  EXPECT_EQ(LoadedEntry(EntryValue("清理系统临时文件", true)), "清理系统临时文件");
}

TEST(SettingsFormat, StripLeadingControls) {
  EXPECT_EQ(settings::StripLeadingControls(" \t\x01x y"), "x y");
  EXPECT_EQ(settings::StripLeadingControls("   "), "");
  EXPECT_EQ(settings::StripLeadingControls("\xA1\xA1x"), "\xA1\xA1x");  // bytes above 127 stay
}
