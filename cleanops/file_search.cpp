// Recursive file search.
#include "cleanops/file_search.h"

#include <windows.h>

#include <cstring>

#include "common/ansi_text.h"
#include "common/scoped.h"
#include "settings/settings_format.h"

namespace {

// The folder that Windows derives from a search text (relative parts resolved), ending in one
// backslash.
std::string ReportFolder(const std::string& searchText) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(searchText.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full) return std::string();
  return ansi::FolderOf(std::string(full, n)) + "\\";
}

}  // namespace

void SearchFiles(const std::string& folder, const std::string& patterns, const SearchRoutine& routine,
                 bool recurse) {
  std::vector<std::string> pieces = settings::SplitEntry(patterns);
  std::string base = folder;
  if (base.empty() || base.back() != '\\') base += '\\';

  for (const std::string& piece : pieces) {
    if (piece.empty()) continue;
    const std::string search = base + piece;
    if (search.size() >= MAX_PATH) continue;  // never cut into a shorter, different path
    WIN32_FIND_DATAA fd;
    UniqueFindHandle find(FindFirstFileA(search.c_str(), &fd));
    if (!find) continue;
    const std::string report = ReportFolder(search);
    if (report.size() <= 1) continue;
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) routine(report, fd.cFileName);
    } while (FindNextFileA(find.get(), &fd));
  }

  if (!recurse) return;
  const std::string search = base + "*.*";
  if (search.size() >= MAX_PATH) return;
  WIN32_FIND_DATAA fd;
  UniqueFindHandle walk(FindFirstFileA(search.c_str(), &fd));
  if (!walk) return;
  const std::string report = ReportFolder(search);
  if (report.size() <= 1) return;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // a link may lead anywhere
    if (std::strcmp(fd.cFileName, ".") == 0 || std::strcmp(fd.cFileName, "..") == 0) continue;
    SearchFiles(report + fd.cFileName, patterns, routine, true);
  } while (FindNextFileA(walk.get(), &fd));
}
