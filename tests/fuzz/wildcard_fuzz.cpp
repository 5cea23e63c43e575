// Fuzz target: wildcard matching. Never undefined behaviour; "*" matches every name, and a name
// used as its own pattern matches itself when it holds no wildcard.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "junk/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string pattern = input.substr(0, cut);
  std::string name = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  (void)wildcard::Pattern(pattern).Matches(name);
  assert(wildcard::Pattern("*").Matches(name));
  if (name.find_first_of("*?.") == std::string::npos && !name.empty()) {
    assert(wildcard::Pattern(name).Matches(name));
  }
  return 0;
}
