// Byte-level rules for ANSI (double-byte) texts.
#include "common/ansi_text.h"

namespace ansi {

std::size_t FindLastChar(std::string_view text, char sep) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i])) {
      ++i;  // the trail byte belongs to this character
    } else if (text[i] == sep) {
      found = i;
    }
  }
  return found;
}

std::string FolderOf(std::string_view path) {
  std::size_t cut = FindLastChar(path, '\\');
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

}  // namespace ansi
