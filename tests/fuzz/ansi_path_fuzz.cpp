// Fuzz target: the folder of a path never ends inside a double-byte character and is a prefix of
// the path.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ansi_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path(reinterpret_cast<const char*>(data), size);
  std::string folder = ansi::FolderOf(path);
  assert(path.compare(0, folder.size(), folder) == 0);
  if (!folder.empty() || (size > 0 && path[0] == '\\')) assert(path[folder.size()] == '\\');
  return 0;
}
