// The junk file-name patterns that the scope window offers, the recommended set, and the three
// special location texts. No Windows call here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class Recommended { kOn, kOff, kKeep };

struct JunkPattern {
  const char* text;
  Recommended recommended;  // the state that "推荐" gives the entry
};

constexpr size_t kJunkPatternCount = 56;
extern const JunkPattern kJunkPatterns[kJunkPatternCount];

// The special locations, in the order the scope window lists them, and the temporary store each
// one clears (a TempKind).
constexpr size_t kSpecialLocationCount = 3;
extern const char* const kSpecialLocations[kSpecialLocationCount];

// The TempKind of a special location text (compared byte for byte), or -1 for a folder.
int32_t SpecialLocationKind(const std::string& location);
