// The file system's wildcard rules, against the long name only.
#include "junk/wildcard.h"

#include <gtest/gtest.h>

TEST(Wildcard, MatchesAsTheFileSystemDoes) {
  struct Case { const char* pattern; const char* name; bool match; } cases[] = {
      {"*.*", "readme", true},          {"*.*", "a.b.c", true},
      {"*", "", true},                  {"*.bak", "report.bak", true},
      {"*.bak", "report.bakery", false},  // the short name REPORT~1.BAK does not count
      {"*.tmp", "notes.tmpl", false},   {"*.tmp", "NOTES.TMP", true},
      {"twain???.mtx", "twain.mtx", true}, {"twain???.mtx", "twain12.mtx", true},
      {"twain???.mtx", "twain123.mtx", true}, {"twain???.mtx", "twain1234.mtx", false},
      {"*.", "readme", true},           {"*.", "a.txt", false},
      {"~*.*", "~lock", true},          {"~*.*", "~$report.doc", true}, {"~*.*", "lock~", false},
      {"*.??$", "file.ab$", true},      {"*.??$", "file.a$", false},   {"*.??$", "file.abc$", false},
      {"*.~*", "x.~tmp", true},         {"*.~*", "x.tmp", false},
      {"0???????.nch", "01234567.nch", true}, {"0???????.nch", "0123.nch", true},
      {"0???????.nch", "012345678.nch", false},
      {"file???._dd", "file12._dd", true}, {"file????._dd", "file12345._dd", false},
      {"*log.txt", "setuplog.txt", true}, {"*log.txt", "log.txt", true}, {"*log.txt", "logs.txt", false},
      {"chklist.*", "CHKLIST.MS", true}, {"chklist.*", "chklist", true},
      {"*.^", "a.^", true},             {"*.^", "a", false},
      {"Thumbs.db", "thumbs.db", true}, {"Thumbs.db", "thumbs.db1", false},
      {"*.bk?", "a.bk", true},          {"*.bk?", "a.bk1", true},     {"*.bk?", "a.bk12", false},
      {"*.pch", "a.b.pch", true},       {"*.pch", "a.pch.old", false},
      {"icq*.log", "icq.log", true},    {"icq*.log", "icq2003.log", true},
      {"mscreate.dir", "MSCREATE.DIR", true},
      {"?", "a", true},                 {"?", "", true},              {"?", "ab", false},
      {"*.#Rec", "x.#rec", true},
      // A double-byte character is one character; its trail byte never matches a literal.
      {"*.bak", "\xB1\xB8\xB7\xDD.bak", true}, {"?.txt", "\xB1\xB8.txt", true}, {"??.txt", "\xB1\xB8.txt", true},
      {"\xB1\x41.txt", "\xB1\x61.txt", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wildcard::Pattern(c.pattern).Matches(c.name), c.match) << c.pattern << " ~ " << c.name;
  }
}
