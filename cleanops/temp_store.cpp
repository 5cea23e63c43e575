// Temporary-file stores and the drive list.
#include "cleanops/temp_store.h"

#include <windows.h>

#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <memory>

#include "cleanops/safe_delete.h"
#include "common/scoped.h"

namespace {

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// `folder` + "\" + `name`, or nothing when the result would not fit a path buffer: a shortened
// path could name another file.
bool JoinPath(const std::string& folder, const char* name, std::string& out) {
  out = folder;
  if (out.empty() || out.back() != '\\') out += '\\';
  out += name;
  return out.size() < MAX_PATH;
}

// `folder` is the path of `dir`: the listing goes by the path, every change by the handle.
// False when the folder cannot be listed.
bool EmptyInside(const SafeFolder& dir, const std::string& folder, bool deleteDesktopIni, bool wipeIndexDat) {
  std::string search;
  if (!JoinPath(folder, "*.*", search)) return false;
  WIN32_FIND_DATAA fd;
  UniqueFindHandle find(FindFirstFileA(search.c_str(), &fd));
  if (!find) return false;
  do {
    const std::string name = fd.cFileName;
    if (IsDots(fd.cFileName)) continue;
    if (!deleteDesktopIni && _stricmp(fd.cFileName, "desktop.ini") == 0) continue;
    std::string path;
    if (!JoinPath(folder, fd.cFileName, path)) continue;
    const bool isLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_READONLY) dir.ClearChildReadOnly(name);
      if (std::optional<SafeFolder> sub = dir.OpenChildFolder(name)) {
        EmptyInside(*sub, path, deleteDesktopIni, wipeIndexDat);
      }
      dir.DeleteChild(name, true);  // fails while something stays inside
      continue;
    }
    if (wipeIndexDat && !isLink && _stricmp(fd.cFileName, "index.dat") == 0) dir.ZeroChildAfter(name, 64);
    dir.DeleteChild(name, true);  // a link goes as a link: its target is never touched
  } while (FindNextFileA(find.get(), &fd));
  return true;
}

void DeleteFilesInside(const SafeFolder& dir, const std::string& folder) {
  std::string search;
  if (!JoinPath(folder, "*.*", search)) return;
  WIN32_FIND_DATAA fd;
  UniqueFindHandle find(FindFirstFileA(search.c_str(), &fd));
  if (!find) return;
  do {
    if (IsDots(fd.cFileName)) continue;
    std::string path;
    if (!JoinPath(folder, fd.cFileName, path)) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // links are passed over
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (std::optional<SafeFolder> sub = dir.OpenChildFolder(fd.cFileName)) DeleteFilesInside(*sub, path);
    } else {
      dir.DeleteChild(fd.cFileName, false);  // read-only files stay
    }
  } while (FindNextFileA(find.get(), &fd));
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

}  // namespace

bool EmptyFolder(const std::string& folder, bool deleteDesktopIni, bool wipeIndexDat) {
  std::optional<SafeFolder> dir = SafeFolder::Open(folder);
  return dir && EmptyInside(*dir, folder, deleteDesktopIni, wipeIndexDat);
}

void DeleteTreeFiles(const std::string& folder) {
  if (std::optional<SafeFolder> dir = SafeFolder::Open(folder)) DeleteFilesInside(*dir, folder);
}

bool ClearUrlCache(int32_t mode) {
  DWORD size = 0;
  FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  if (size == 0) return false;
  auto buffer = std::make_unique<char[]>(size);
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.get());
  HANDLE walk = FindFirstUrlCacheEntryA(nullptr, entry, &size);
  if (!walk) return false;
  for (;;) {
    const bool cookie = (entry->CacheEntryType & COOKIE_CACHE_ENTRY) != 0;
    if ((mode == 1) == cookie) DeleteUrlCacheEntry(entry->lpszSourceUrlName);
    size = 0;
    FindNextUrlCacheEntryA(walk, nullptr, &size);
    if (size == 0) break;
    buffer = std::make_unique<char[]>(size);
    entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.get());
    if (!FindNextUrlCacheEntryA(walk, entry, &size)) break;
  }
  FindCloseUrlCache(walk);
  return true;
}

bool ClearTempStore(int32_t kind) {
  switch (kind) {
    case 1:
    case 3: {
      bool walked = ClearUrlCache(kind == 1 ? 0 : 1);
      std::string folder = ShellFolder(kind == 1 ? CSIDL_INTERNET_CACHE : CSIDL_COOKIES);
      if (!folder.empty()) DeleteTreeFiles(folder);
      return walked;
    }
    case 2:
      return SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND) == S_OK;
    default: {
      char path[MAX_PATH] = {};
      DWORD n = GetTempPathA(sizeof path, path);
      if (n == 0 || n >= sizeof path) return false;
      return EmptyFolder(path, true, false);
    }
  }
}

std::vector<std::string> DriveList(int32_t kind) {
  static const UINT kTypes[] = {0, DRIVE_FIXED, DRIVE_CDROM, DRIVE_REMOVABLE, DRIVE_REMOTE};
  if (kind < 0 || kind > 4) kind = 0;
  std::vector<std::string> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char root[] = {letter, ':', 0};
    UINT type = GetDriveTypeA(root);
    bool listed = kind == 0 ? (type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_CDROM)
                            : type == kTypes[kind];
    if (listed) drives.push_back(root);
  }
  return drives;
}
