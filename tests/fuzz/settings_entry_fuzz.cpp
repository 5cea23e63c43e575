// Fuzz target: splitting a stored entry. Pieces joined again with "|" give back the value (less
// an empty rest), and no piece holds a "|" of its own.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ansi_text.h"
#include "settings/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string value(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> pieces = settings::SplitEntry(value);
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    joined += pieces[i];
    if (i + 1 < pieces.size() || (!value.empty() && value.back() == '|' &&
                                  ansi::FindLastChar(value, '|') == value.size() - 1)) {
      joined += '|';
    }
    assert(ansi::FindLastChar(pieces[i], '|') == std::string::npos ||
           pieces[i].size() == value.size());
  }
  if (!pieces.empty()) assert(value.compare(0, joined.size(), joined) == 0);
  (void)settings::LoadedEntry(value);
  return 0;
}
