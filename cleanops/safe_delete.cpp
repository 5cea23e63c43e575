// Deletion through handles opened relative to their folder, without following links.
#include "cleanops/safe_delete.h"

#include <winternl.h>

#include <vector>

namespace {

// Attributes of an open entry, read through its handle.
bool AttributesOf(HANDLE h, DWORD& attributes) {
  FILE_ATTRIBUTE_TAG_INFO tag;
  if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag)) return false;
  attributes = tag.FileAttributes;
  return true;
}

bool SetAttributes(HANDLE h, DWORD attributes) {
  FILE_BASIC_INFO basic = {};
  basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

// The path of an open entry within its volume ("\\dir\\name"), as the file system names it.
std::wstring NameOf(HANDLE h) {
  alignas(FILE_NAME_INFO) char buffer[sizeof(FILE_NAME_INFO) + 2 * 32768];
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer);
  if (!GetFileInformationByHandleEx(h, FileNameInfo, info, sizeof buffer)) return std::wstring();
  return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr ULONG kNoFollow = FILE_OPEN_REPARSE_POINT | FILE_OPEN_FOR_BACKUP_INTENT;

}  // namespace

std::optional<SafeFolder> SafeFolder::Open(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | SYNCHRONIZE, kShareAll, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  SafeFolder folder(h);
  folder.name_ = NameOf(h);
  if (folder.name_.empty()) return std::nullopt;
  return folder;
}

HANDLE SafeFolder::OpenChild(const std::string& name, ACCESS_MASK access, ULONG options) const {
  // A bare name only: "." and ".." and anything with a separator would leave this folder.
  if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/") != std::string::npos) {
    return nullptr;
  }
  int n = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  if (n <= 0 || n > 255) return nullptr;
  std::vector<wchar_t> wide(n);
  MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), n);
  UNICODE_STRING uname;
  uname.Buffer = wide.data();
  uname.Length = static_cast<USHORT>(n * sizeof(wchar_t));
  uname.MaximumLength = uname.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &uname, OBJ_CASE_INSENSITIVE, handle_.get(), nullptr);
  IO_STATUS_BLOCK io;
  HANDLE raw = nullptr;
  if (NtOpenFile(&raw, access | SYNCHRONIZE, &attributes, &io, kShareAll,
                 options | kNoFollow | FILE_SYNCHRONOUS_IO_NONALERT) < 0) {
    return nullptr;
  }
  UniqueHandle child(raw);
  // The entry must be this folder's own: a link that the file system followed all the same (Wine
  // follows Unix symbolic links to files) names its target here, and is left alone.
  std::wstring expected = name_;
  if (expected.empty() || expected.back() != L'\\') expected += L'\\';
  expected.append(wide.data(), wide.size());
  std::wstring actual = NameOf(child.get());
  if (CompareStringOrdinal(actual.data(), static_cast<int>(actual.size()), expected.data(),
                           static_cast<int>(expected.size()), TRUE) != CSTR_EQUAL) {
    return nullptr;
  }
  return child.release();
}

std::optional<SafeFolder> SafeFolder::OpenChildFolder(const std::string& name) const {
  UniqueHandle h(OpenChild(name, FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES, FILE_DIRECTORY_FILE));
  DWORD attributes = 0;
  if (!h || !AttributesOf(h.get(), attributes) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return std::nullopt;
  SafeFolder folder(h.release());
  folder.name_ = NameOf(folder.handle_.get());
  return folder;
}

bool SafeFolder::DeleteChild(const std::string& name, bool clearReadOnly) const {
  UniqueHandle h(OpenChild(name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0));
  if (!h) return false;
  // The handle is the entry itself (a link too, never its target): mark it for deletion. Only a
  // refusal costs a look at the attributes, for a read-only entry.
  FILE_DISPOSITION_INFO disposition = {TRUE};
  if (SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition)) return true;
  DWORD attributes = 0;
  if (!clearReadOnly || !AttributesOf(h.get(), attributes) || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
  SetAttributes(h.get(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool SafeFolder::ClearChildReadOnly(const std::string& name) const {
  UniqueHandle h(OpenChild(name, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0));
  DWORD attributes = 0;
  if (!h || !AttributesOf(h.get(), attributes)) return false;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return SetAttributes(h.get(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool SafeFolder::ZeroChildAfter(const std::string& name, unsigned keep) const {
  UniqueHandle h(OpenChild(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_NON_DIRECTORY_FILE));
  DWORD attributes = 0;
  if (!h || !AttributesOf(h.get(), attributes) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
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
