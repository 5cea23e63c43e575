// Recursive file search.
#include "cleanops/file_search.h"

#include <windows.h>

#include <vector>

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

namespace {

struct Entry {
  std::string name;
  bool folder;
  bool link;
};

// One listing of a folder ("*.*"): every entry, in the order Windows gives them.
bool ListFolder(const std::string& base, std::vector<Entry>& entries, std::string& report) {
  const std::string search = base + "*.*";
  if (search.size() >= MAX_PATH) return false;  // never cut into a shorter, different path
  WIN32_FIND_DATAA fd;
  UniqueFindHandle find(FindFirstFileA(search.c_str(), &fd));
  if (!find) return false;
  report = ReportFolder(search);
  if (report.size() <= 1) return false;
  do {
    entries.push_back({fd.cFileName, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileA(find.get(), &fd));
  return true;
}

// "*" and "*.*" match every name: the folder's one listing answers them.
bool MatchesEverything(const std::string& piece) { return piece == "*" || piece == "*.*"; }

}  // namespace

void SearchFiles(const std::string& folder, const std::string& patterns, const SearchRoutine& routine,
                 bool recurse) {
  std::vector<std::string> pieces = settings::SplitEntry(patterns);
  std::string base = folder;
  if (base.empty() || base.back() != '\\') base += '\\';

  std::vector<Entry> entries;
  std::string report;
  bool listed = false, listable = false;
  auto list = [&] {
    if (!listed) listable = ListFolder(base, entries, report);
    listed = true;
    return listable;
  };

  for (const std::string& piece : pieces) {
    if (piece.empty()) continue;
    if (MatchesEverything(piece)) {
      if (!list()) continue;
      for (const Entry& e : entries) {
        if (!e.folder) routine(report, e.name);
      }
      continue;
    }
    const std::string search = base + piece;
    if (search.size() >= MAX_PATH) continue;
    WIN32_FIND_DATAA fd;
    UniqueFindHandle find(FindFirstFileA(search.c_str(), &fd));
    if (!find) continue;
    const std::string pieceReport = ReportFolder(search);
    if (pieceReport.size() <= 1) continue;
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) routine(pieceReport, fd.cFileName);
    } while (FindNextFileA(find.get(), &fd));
  }

  if (!recurse || !list()) return;
  for (const Entry& e : entries) {
    if (!e.folder || e.link) continue;  // a link may lead anywhere, or back here
    if (e.name == "." || e.name == "..") continue;
    SearchFiles(report + e.name, patterns, routine, true);
  }
}
