// Byte-level rules for texts in the system's ANSI code page (GBK on the systems the program is
// written for). No Windows call here, so the rules are tested natively.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ansi {

// In a double-byte code page every byte of 128 or more starts a two-byte character; the byte
// after it may be any value, "\" and "|" included, and is never a character of its own.
inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Position of the last `sep` that is a character of its own, or npos.
std::size_t FindLastChar(std::string_view text, char sep);

// The folder part of a full file path: everything before its last backslash, or "" when the
// path has none.
std::string FolderOf(std::string_view path);

}  // namespace ansi
