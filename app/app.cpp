// Program-wide helpers of the application core.
#include "app/app.h"

#include "common/ansi_text.h"

const std::string& ProgramDirectory() {
  static const std::string directory = [] {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    // A truncated path would name another folder; keep none rather than a wrong one.
    if (n == 0 || n >= sizeof path) return std::string();
    return ansi::FolderOf(std::string_view(path, n));
  }();
  return directory;
}

int ShowMessage(const char* text, const char* caption, UINT style) {
  return MessageBoxA(nullptr, text, caption, style | MB_TASKMODAL);
}
