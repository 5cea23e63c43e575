// Fuzz target: the SID text reads back as the numbers it was made of.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cleanops/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint32_t> subs;
  for (size_t i = 1; i + 4 <= size && subs.size() < 15; i += 4) {
    subs.push_back(uint32_t(data[i]) | uint32_t(data[i + 1]) << 8 | uint32_t(data[i + 2]) << 16 |
                   uint32_t(data[i + 3]) << 24);
  }
  std::string text = registry_text::SidText(data[0], subs);
  assert(text.compare(0, 4, "S-1-") == 0);
  const char* p = text.c_str() + 4;
  char* end = nullptr;
  assert(std::strtoul(p, &end, 10) == data[0]);
  for (uint32_t sub : subs) {
    assert(*end == '-');
    assert(std::strtoul(end + 1, &end, 10) == sub);
  }
  assert(*end == '\0');
  return 0;
}
