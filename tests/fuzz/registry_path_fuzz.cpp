// Fuzz target: splitting a registry path. Key, separator and value give back the path, and the
// separator is a backslash character of its own.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cleanops/registry_text.h"
#include "common/ansi_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path(reinterpret_cast<const char*>(data), size);
  auto parts = registry_text::SplitRegistryPath(path);
  if (ansi::FindLastChar(path, '\\') == std::string::npos) {
    assert(parts.key.empty() && parts.value == path);
  } else {
    assert(parts.key + "\\" + parts.value == path);
    assert(ansi::FindLastChar(parts.value, '\\') == std::string::npos);
  }
  return 0;
}
