// The file system's wildcard rules (DOS_STAR, DOS_QM, DOS_DOT), matched by dynamic programming.
#include "junk/wildcard.h"

#include "common/ansi_text.h"

namespace wildcard {

namespace {

// Splits a text into characters: a lead byte takes its trail byte along.
void SplitCharacters(std::string_view text, std::vector<std::string_view>& chars) {
  chars.clear();
  for (size_t i = 0; i < text.size();) {
    size_t n = (ansi::IsLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
    chars.push_back(text.substr(i, n));
    i += n;
  }
}

std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  SplitCharacters(text, chars);
  return chars;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameCharacter(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return Lower(a[0]) == Lower(b[0]);
  return a == b;
}

}  // namespace

Pattern::Pattern(std::string_view text) {
  bool trailingDot = !text.empty() && text.back() == '.';
  if (trailingDot) text.remove_suffix(1);
  if (text == "*.*") text = "*";
  std::vector<std::string_view> chars = Characters(text);
  for (size_t i = 0; i < chars.size(); ++i) {
    std::string_view c = chars[i];
    std::string_view next = i + 1 < chars.size() ? chars[i + 1] : std::string_view();
    if (c == "?") {
      tokens_.push_back({kDosQm, {}});
    } else if (c == "." && (next == "?" || next == "*")) {
      tokens_.push_back({kDosDot, {}});
    } else if (c == "*") {
      tokens_.push_back({next == "." ? kDosStar : kStar, {}});
    } else {
      tokens_.push_back({kLiteral, std::string(c)});
    }
  }
  if (trailingDot && !tokens_.empty() && tokens_.back().kind == kStar) tokens_.back().kind = kDosStar;
  size_t first = 0;
  while (first < tokens_.size() && tokens_[first].kind == kLiteral) prefix_ += tokens_[first++].text;
  if (first < tokens_.size()) {
    size_t last = tokens_.size();
    while (last > first && tokens_[last - 1].kind == kLiteral) --last;
    for (size_t i = last; i < tokens_.size(); ++i) suffix_ += tokens_[i].text;
  }
  for (char& c : prefix_) c = Lower(c);
  for (char& c : suffix_) c = Lower(c);
}

namespace {

// Byte comparison, ASCII letters without regard to case. It may accept more than the match by
// characters does (a trail byte is folded too); it never refuses a name that matches.
bool HasAt(std::string_view name, size_t at, const std::string& lowered) {
  if (at + lowered.size() > name.size()) return false;
  for (size_t i = 0; i < lowered.size(); ++i) {
    if (Lower(name[at + i]) != lowered[i]) return false;
  }
  return true;
}

}  // namespace

bool Pattern::Matches(std::string_view nameText) const {
  if (!HasAt(nameText, 0, prefix_)) return false;
  if (suffix_.size() > nameText.size() || !HasAt(nameText, nameText.size() - suffix_.size(), suffix_)) return false;
  // Buffers kept per thread: the junk run matches every name of a drive against every pattern.
  thread_local std::vector<std::string_view> name;
  SplitCharacters(nameText, name);
  const size_t n = name.size(), t = tokens_.size();
  size_t lastDot = n;  // position of the name's last dot, or n
  for (size_t j = 0; j < n; ++j) {
    if (name[j] == ".") lastDot = j;
  }
  // can(i, j): tokens from i match the name from character j.
  thread_local std::vector<char> table;
  table.assign((t + 1) * (n + 1), 0);
  auto can = [&](size_t i, size_t j) -> char& { return table[i * (n + 1) + j]; };
  can(t, n) = 1;
  for (size_t i = t; i-- > 0;) {
    const Token& tok = tokens_[i];
    for (size_t j = n + 1; j-- > 0;) {
      bool ok = false;
      switch (tok.kind) {
        case kLiteral:
          ok = j < n && SameCharacter(tok.text, name[j]) && can(i + 1, j + 1);
          break;
        case kStar:  // any run of characters
          ok = can(i + 1, j) || (j < n && can(i, j + 1));
          break;
        case kDosStar: {  // any run up to, not into, the last dot
          size_t limit = (lastDot < n && lastDot >= j) ? lastDot : n;
          ok = can(i + 1, j) || (j < limit && can(i, j + 1));
          break;
        }
        case kDosQm:  // one character that is not a dot; nothing at a dot or at the end
          if (j < n && name[j] != ".") ok = can(i + 1, j + 1);
          else ok = can(i + 1, j);
          break;
        case kDosDot:  // a dot, or nothing at the end
          ok = (j < n && name[j] == "." && can(i + 1, j + 1)) || (j == n && can(i + 1, j));
          break;
      }
      can(i, j) = ok;
    }
  }
  return can(0, 0);
}

}  // namespace wildcard
