// The texts of the junk run: the running totals and the result message. No Windows call here.
#pragma once

#include <cstdint>
#include <string>

// "已清除 N 个垃圾文件，大小：M MB" without the spaces around the numbers.
std::string ProgressText(int64_t files, int64_t totalKB);
// The result message of a run.
std::string ResultText(int64_t files, int64_t totalKB);
// Whole megabytes of a kilobyte total, cut toward zero.
inline int64_t WholeMB(int64_t totalKB) { return totalKB / 1024; }
