// Byte rules of the settings files.
#include "settings/settings_format.h"

#include <climits>

#include "common/ansi_text.h"

namespace settings {

const char* const kHistoryKeys[10] = {"llqlsdz", "bdzdwcls", "zdmmls", "scjdnr", "zdbhls",
                                      "yxzdzdppls", "dkwdls", "wlljls", "ycdlls", "llwzls"};

std::string_view StripLeadingControls(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return text.substr(i);
}

namespace {

std::string HalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (ansi::IsLeadByte(text[i]) && i + 1 < text.size()) {
      auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out += static_cast<char>(trail - 0x80);  // A3B0 is "0", A3AD is "-"
      } else if (lead == 0xA1 && trail == 0xA1) {
        out += ' ';
      } else {
        out += text.substr(i, 2);
      }
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t IntegerOfText(std::string_view text) {
  std::string s = HalfWidth(text);
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;  // keeps the sum bounded
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

std::vector<std::string> SplitEntry(std::string_view value) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (ansi::IsLeadByte(value[i])) {
      ++i;  // the trail byte is part of this character, whatever its value
    } else if (value[i] == '|') {
      pieces.emplace_back(value.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < value.size()) pieces.emplace_back(value.substr(start));
  return pieces;
}

std::optional<std::string> LoadedEntry(std::string_view value) {
  std::vector<std::string> pieces = SplitEntry(value);
  if (pieces.size() >= 2 && pieces[1] == kTrueMark) return pieces[0];
  return std::nullopt;
}

std::string EntryValue(std::string_view text, bool ticked) {
  std::string value(text);
  value += '|';
  value += ticked ? kTrueMark : kFalseMark;
  return value;
}

}  // namespace settings
