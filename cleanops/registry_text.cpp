// Registry path splitting and SID text.
#include "cleanops/registry_text.h"

#include "common/ansi_text.h"

namespace registry_text {

KeyAndValue SplitRegistryPath(std::string_view path) {
  std::size_t cut = ansi::FindLastChar(path, '\\');
  if (cut == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, cut)), std::string(path.substr(cut + 1))};
}

std::string SidText(uint8_t authorityLastByte, const std::vector<uint32_t>& subAuthorities) {
  std::string text = "S-1-" + std::to_string(authorityLastByte);
  for (uint32_t sub : subAuthorities) text += "-" + std::to_string(sub);
  return text;
}

}  // namespace registry_text
