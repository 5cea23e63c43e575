// Texts of the junk run.
#include "junk/junk_text.h"

std::string ProgressText(int64_t files, int64_t totalKB) {
  return "已清除" + std::to_string(files) + "个垃圾文件，大小：" + std::to_string(WholeMB(totalKB)) + "MB";
}

std::string ResultText(int64_t files, int64_t totalKB) {
  return "本次清理，共：\r\n清理垃圾文件：" + std::to_string(files) + "个\r\n清理垃圾大小：" +
         std::to_string(WholeMB(totalKB)) + "MB";
}
