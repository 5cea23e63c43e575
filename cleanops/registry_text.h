// Byte-level rules of the history store operations: splitting a registry path into key and
// value name, and the text form of a security identifier. No Windows call here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace registry_text {

struct KeyAndValue {
  std::string key;    // the text before the last backslash character; empty: the root itself
  std::string value;  // the text after it
};

// Splits at the last backslash that is a character of its own: a byte of 0x80 or above takes
// the byte after it along, so a trail byte equal to a backslash does not split.
KeyAndValue SplitRegistryPath(std::string_view path);

// "S-1-" and the last byte of the identifier authority, then "-" and each sub-authority, all in
// unsigned decimal.
std::string SidText(uint8_t authorityLastByte, const std::vector<uint32_t>& subAuthorities);

}  // namespace registry_text
