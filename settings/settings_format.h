// The byte-level rules of the settings files: reading counts and flags, splitting entries, and
// the values that the writers store. No Windows call here, so the rules are tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The marks of a ticked and an unticked entry: "真" and "假" in GBK, written as bytes so that the
// rule does not depend on how a compiler encodes literals.
inline constexpr char kTrueMark[] = "\xD5\xE6";
inline constexpr char kFalseMark[] = "\xBC\xD9";

// The ten keys of the history scope, in the order of the history kinds.
extern const char* const kHistoryKeys[10];

// Drops leading characters whose code is 32 or less (blanks and control characters).
std::string_view StripLeadingControls(std::string_view text);

// A count or a flag: GBK full-width forms (A3A1..A3FE, and the full-width space A1A1) become
// their ASCII forms, then the text is read as atoi reads it (white space, a sign, digits). Values
// beyond 32 bits are clamped.
int32_t IntegerOfText(std::string_view text);

// Cuts `value` at every "|" that is a character of its own (a "|" byte inside a double-byte
// character does not cut). Each cut yields the piece before it, even an empty one; the rest after
// the last cut is a piece only when it is not empty.
std::vector<std::string> SplitEntry(std::string_view value);

// The text that a stored entry loads: its first piece, when the entry has at least two pieces
// and the second is exactly the true mark.
std::optional<std::string> LoadedEntry(std::string_view value);

// The stored form of an entry: its text, "|", and the true or false mark.
std::string EntryValue(std::string_view text, bool ticked);

}  // namespace settings
