// Safe deletion through a handle that was opened without following links.
#include "cleanops/safe_delete.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/scoped.h"

namespace {

UniqueFileHandle OpenEntry(const std::string& path, DWORD access) {
  return UniqueFileHandle(CreateFileA(path.c_str(), access,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && _strnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

}  // namespace

std::string SafeDeleter::FinalPath(void* handle) {
  char buf[MAX_PATH + 8];
  DWORD n = GetFinalPathNameByHandleA(handle, buf, sizeof buf, FILE_NAME_NORMALIZED | VOLUME_NAME_NT);
  if (n == 0 || n >= sizeof buf) return std::string();
  return std::string(buf, n);
}

SafeDeleter::SafeDeleter(const std::string& scope) {
  UniqueFileHandle h = OpenEntry(scope, FILE_READ_ATTRIBUTES);
  if (!h) return;
  scopeFinal_ = FinalPath(h.get());
  if (!scopeFinal_.empty() && scopeFinal_.back() != '\\') scopeFinal_ += '\\';
}

namespace {

// The entry `path`, opened without following links, when it lies inside `scopeFinal`.
// `isLink` tells whether the entry is itself a link (a reparse point).
UniqueFileHandle OpenInside(const std::string& path, DWORD access, const std::string& scopeFinal,
                            bool* isLink, DWORD* attributes) {
  if (scopeFinal.empty()) return UniqueFileHandle();
  UniqueFileHandle h = OpenEntry(path, access | FILE_READ_ATTRIBUTES);
  if (!h) return h;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.get(), &info)) return UniqueFileHandle();
  std::string final = SafeDeleter::FinalPath(h.get());
  // Inside the scope, and not the scope itself.
  if (final.empty() || final.size() <= scopeFinal.size() || !StartsWithNoCase(final, scopeFinal)) {
    return UniqueFileHandle();
  }
  *isLink = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  *attributes = info.dwFileAttributes;
  return h;
}

bool SetAttributes(HANDLE h, DWORD attributes) {
  FILE_BASIC_INFO basic = {};
  basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

}  // namespace

bool SafeDeleter::Delete(const std::string& path, bool clearReadOnly) const {
  bool isLink = false;
  DWORD attributes = 0;
  UniqueFileHandle h = OpenInside(path, DELETE | FILE_WRITE_ATTRIBUTES, scopeFinal_, &isLink, &attributes);
  if (!h) return false;
  if (clearReadOnly && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetAttributes(h.get(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool SafeDeleter::ClearReadOnly(const std::string& path) const {
  bool isLink = false;
  DWORD attributes = 0;
  UniqueFileHandle h = OpenInside(path, FILE_WRITE_ATTRIBUTES, scopeFinal_, &isLink, &attributes);
  if (!h || isLink || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return SetAttributes(h.get(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool SafeDeleter::ZeroAfter(const std::string& path, unsigned keep) const {
  bool isLink = false;
  DWORD attributes = 0;
  UniqueFileHandle h = OpenInside(path, GENERIC_WRITE, scopeFinal_, &isLink, &attributes);
  if (!h || isLink || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  DWORD size = GetFileSize(h.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size <= keep) return true;
  if (SetFilePointer(h.get(), static_cast<LONG>(keep), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  static const std::vector<char> zeros(10000, 0);
  for (DWORD left = size - keep; left > 0;) {
    DWORD piece = left < zeros.size() ? left : static_cast<DWORD>(zeros.size());
    DWORD written = 0;
    if (!WriteFile(h.get(), zeros.data(), piece, &written, nullptr) || written != piece) return false;
    left -= piece;
  }
  return true;
}
