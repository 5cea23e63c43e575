// Small fixtures for the Windows tests.
#include "tests/driver/fixture_files.h"

#include <wininet.h>

#include "tests/driver/gui_driver.h"

namespace fx {

std::string FixtureFolder(const std::string& group, const std::string& name) {
  std::string root = gui::TestProgramFolder() + "\\" + group;
  CreateDirectoryA(root.c_str(), nullptr);
  root += "\\" + name;
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

void MakeFile(const std::string& path, size_t size, char fill) { WriteBytes(path, std::string(size, fill)); }

std::string ReadBytes(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD n = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(f);
  bytes.resize(n);
  return bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool AddCacheEntry(const char* url, DWORD type) {
  char file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(url, 0, "htm", file, 0)) return false;
  MakeFile(file, 32);
  FILETIME none = {};
  return CommitUrlCacheEntryA(url, file, none, none, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

bool CacheHas(const char* url) {
  DWORD size = 0;
  GetUrlCacheEntryInfoA(url, nullptr, &size);
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace fx
