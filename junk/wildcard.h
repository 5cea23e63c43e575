// File-name wildcard matching as the Windows file system does it for a search, but against the
// long name only. (A search by FindFirstFile also matches the 8.3 short name: "*.bak" would find
// "report.bakery" through REPORT~1.BAK, and a cleaner would delete it.) No Windows call here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wildcard {

// A pattern as the search call rewrites it: "*.*" is "*"; "?" is DOS_QM; a "." before "?" or "*"
// is DOS_DOT; a "*" before "." is DOS_STAR; with a trailing "." (dropped) a final "*" is DOS_STAR.
class Pattern {
 public:
  explicit Pattern(std::string_view text);
  // Case-insensitive for ASCII letters; a double-byte character is one character, compared exactly.
  bool Matches(std::string_view name) const;

 private:
  enum Kind { kLiteral, kStar, kDosStar, kDosQm, kDosDot };
  struct Token {
    Kind kind;
    std::string text;  // the character of a literal (one or two bytes)
  };
  std::vector<Token> tokens_;
  // The literal text before the first wildcard and after the last one, lower-cased: a name that
  // does not start and end with them is rejected before the full match.
  std::string prefix_, suffix_;
};

}  // namespace wildcard
