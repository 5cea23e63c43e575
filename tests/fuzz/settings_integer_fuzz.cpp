// Fuzz target: reading a count or a flag. Never undefined behaviour; plain ASCII digits read as
// their value.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  int32_t value = settings::IntegerOfText(text);
  if (size > 0 && size < 9 && text.find_first_not_of("0123456789") == std::string::npos) {
    assert(value == std::stoi(text));
  }
  (void)settings::StripLeadingControls(text);
  return 0;
}
