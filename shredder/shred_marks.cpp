// Entry marks and the closing message of a shred run.
#include "shredder/shred_marks.h"

namespace shred {

namespace {
bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}
}  // namespace

bool IsShredded(std::string_view entry) { return StartsWith(entry, kShreddedMark); }

std::string_view PathOf(std::string_view entry) {
  if (StartsWith(entry, kFailedMark)) entry.remove_prefix(kFailedMark.size());
  return entry;
}

std::string DoneText(long long shredded, long long failed) {
  std::string text = "文件粉碎完成！\r\n共粉碎文件" + std::to_string(shredded) + "个";
  if (failed > 0) text += "\r\n粉碎失败" + std::to_string(failed) + "个";
  return text;
}

}  // namespace shred
