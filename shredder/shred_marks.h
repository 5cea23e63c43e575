// The marks that a shred run puts in front of the list's entries, and the run's closing message.
// No Windows call here.
#pragma once

#include <string>
#include <string_view>

namespace shred {

// 9 bytes each in the Chinese code page: a bracket, three double-byte characters, a bracket and
// a space.
constexpr std::string_view kShreddedMark = "[已粉碎] ";
constexpr std::string_view kFailedMark = "[粉碎失败] ";

bool IsShredded(std::string_view entry);

// The path that an entry names: the entry itself, or what follows the failure mark of an earlier
// run (the user tries again).
std::string_view PathOf(std::string_view entry);

// "文件粉碎完成！\r\n共粉碎文件N个", with "\r\n粉碎失败M个" when some failed.
std::string DoneText(long long shredded, long long failed);

}  // namespace shred
