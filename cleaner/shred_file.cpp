// Shredding one file. The file is opened once, exclusively and without following a link, and
// everything after that goes through the handle: the overwrite, the truncation, the rename and
// the deletion, so that nothing swapped in under its name meanwhile can be hit. Before the open,
// a first handle that takes no share rights checks what the path names.
#include "cleaner/shred_file.h"

#include <bcrypt.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cleaner/chacha20.h"

namespace {

constexpr DWORD kChunk = 4 << 20;
// A long pass is flushed every so often, with the data made this far ahead of the writer: the
// disk then writes while the next data is being made.
constexpr int kSlots = 4;
// Threads making the data. A second one brought nothing on a two-core machine: the writer and
// the file system need the other core.
constexpr int kMakers = 1;
constexpr int64_t kFlushEvery = 8 << 20;

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle Wrap(HANDLE h) { return Handle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

std::wstring Wide(const char* text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
  out.resize(n - 1);
  return out;
}

// The full path that `path` names; with `longNames`, every short (8.3) name in it replaced by
// the long one, as the handle of the file reports it.
std::wstring FullName(const std::wstring& path, bool longNames) {
  wchar_t full[MAX_PATH * 2];
  DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 2) return std::wstring();
  if (!longNames) return full;
  wchar_t longName[MAX_PATH * 2];
  n = GetLongPathNameW(full, longName, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return std::wstring();
  return longName;
}

// The name that the open file has: the path the file system followed to it.
std::wstring NameOf(HANDLE h) {
  wchar_t name[MAX_PATH * 2];
  DWORD n = GetFinalPathNameByHandleW(h, name, MAX_PATH * 2, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= MAX_PATH * 2) return std::wstring();
  std::wstring out(name, n);
  if (out.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + out.substr(8);
  if (out.compare(0, 4, L"\\\\?\\") == 0) return out.substr(4);
  return out;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// The handle must be a plain file with one name, reached by the path the caller gave: a link
// anywhere on the way (a file system may follow one regardless of the open flags) shows as
// another name. `name` becomes the file's full name.
// (GetFileInformationByHandle would tell the same, but it also asks for the volume, which is
// slow on some systems.)
struct FileFacts {
  FILE_BASIC_INFO basic;
  FILE_STANDARD_INFO standard;
};
DWORD CheckIdentity(HANDLE h, const std::wstring& path, FileFacts& facts, std::wstring& name) {
  if (!GetFileInformationByHandleEx(h, FileBasicInfo, &facts.basic, sizeof facts.basic) ||
      !GetFileInformationByHandleEx(h, FileStandardInfo, &facts.standard, sizeof facts.standard)) {
    return GetLastError();
  }
  if (facts.basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_CANT_RESOLVE_FILENAME;
  if ((facts.basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) || facts.standard.Directory) return ERROR_DIRECTORY;
  // Overwriting a file with several names would destroy what the other names hold.
  if (facts.standard.NumberOfLinks > 1) return ERROR_TOO_MANY_LINKS;
  std::wstring actual = NameOf(h);
  name = FullName(path, false);
  if (SameName(actual, name)) return ERROR_SUCCESS;
  name = FullName(path, true);  // the caller may have used short names
  return SameName(actual, name) ? ERROR_SUCCESS : ERROR_CANT_RESOLVE_FILENAME;
}

DWORD SetBasicAttributes(HANDLE h, DWORD attributes) {
  FILE_BASIC_INFO basic = {};
  basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic) ? ERROR_SUCCESS : GetLastError();
}

// Writes at `offset`, given with the write itself (no separate seek).
DWORD WriteAt(HANDLE h, int64_t offset, const uint8_t* data, DWORD size) {
  OVERLAPPED at = {};
  at.Offset = DWORD(offset);
  at.OffsetHigh = DWORD(offset >> 32);
  DWORD written = 0;
  if (!WriteFile(h, data, size, &written, &at)) return GetLastError();
  return written == size ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

// The keystream of one pass, cut into chunks that can be made independently (on several threads)
// and in any order: chunk c starts at block c * kChunk / 64 of the stream. The block number's
// high bits go into the nonce, so that no part of the stream repeats in a file of any length.
class PassStream {
 public:
  PassStream() { valid_ = SystemRandom(seed_, sizeof seed_); }
  ~PassStream() { SecureZeroMemory(seed_, sizeof seed_); }
  bool valid() const { return valid_; }

  void Chunk(int64_t chunk, uint8_t* out, DWORD size) const {
    uint64_t block = uint64_t(chunk) * (kChunk / 64);
    uint8_t nonce[12];
    memcpy(nonce, seed_ + 32, sizeof nonce);
    uint32_t high = uint32_t(block >> 32);
    for (int i = 0; i < 4; ++i) nonce[i] ^= uint8_t(high >> (8 * i));
    ChaCha20 generator(seed_, nonce, uint32_t(block));
    generator.Generate(out, size);
  }

 private:
  uint8_t seed_[44];  // key and nonce
  bool valid_ = false;
};

// Writes `length` bytes of fresh random data from the start of the open file or stream, then
// flushes them to the disk. For more than one chunk the data is made ahead of the writer on
// threads of their own (each making every kMakers-th chunk), and the pass is flushed as it goes:
// the disk writes while the next data is being made.
DWORD OverwritePass(HANDLE h, int64_t length, ShredProgress* progress) {
  PassStream stream;
  if (!stream.valid()) return ERROR_GEN_FAILURE;
  if (length <= kChunk) {
    std::vector<uint8_t> data(static_cast<size_t>(length));
    stream.Chunk(0, data.data(), DWORD(length));
    if (DWORD error = WriteAt(h, 0, data.data(), DWORD(length))) return error;
    if (progress) progress->writtenBytes += length;
    return FlushFileBuffers(h) ? ERROR_SUCCESS : GetLastError();
  }

  // Chunk c goes through slot c % kSlots; a maker fills a slot only once the writer has emptied
  // it, and the writer takes the slots in chunk order.
  struct Slot {
    std::vector<uint8_t> data = std::vector<uint8_t>(kChunk);
    DWORD size = 0;
    bool full = false;
  } slots[kSlots];
  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  const int64_t chunks = (length + kChunk - 1) / kChunk;
  auto make = [&](int64_t first) {
    for (int64_t c = first; c < chunks; c += kMakers) {
      Slot& slot = slots[c % kSlots];
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [&] { return !slot.full || stop; });
      if (stop) return;
      lock.unlock();  // an empty slot belongs to its maker until it is marked full
      DWORD n = c == chunks - 1 ? DWORD(length - c * kChunk) : kChunk;
      stream.Chunk(c, slot.data.data(), n);
      lock.lock();
      slot.size = n;
      slot.full = true;
      changed.notify_all();
    }
  };
  std::thread makers[kMakers];
  auto stopMakers = [&] {
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = true;
      changed.notify_all();
    }
    for (std::thread& maker : makers) {
      if (maker.joinable()) maker.join();
    }
  };
  try {
    for (int m = 0; m < kMakers; ++m) makers[m] = std::thread(make, m);
  } catch (...) {
    stopMakers();
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  DWORD error = ERROR_SUCCESS;
  int64_t left = length, unflushed = 0;
  for (int64_t c = 0; c < chunks && error == ERROR_SUCCESS; ++c) {
    Slot& slot = slots[c % kSlots];
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return slot.full; });
    lock.unlock();  // a full slot belongs to the writer until it is marked empty
    error = WriteAt(h, length - left, slot.data.data(), slot.size);
    left -= slot.size;
    unflushed += slot.size;
    if (progress) progress->writtenBytes += slot.size;
    lock.lock();
    slot.full = false;
    changed.notify_all();
    lock.unlock();
    if (error == ERROR_SUCCESS && unflushed >= kFlushEvery && left > 0) {
      if (!FlushFileBuffers(h)) error = GetLastError();
      unflushed = 0;
    }
  }
  stopMakers();
  if (error != ERROR_SUCCESS) return error;
  return FlushFileBuffers(h) ? ERROR_SUCCESS : GetLastError();
}

// The contents are on the disk as random data by now: the new length needs no flush of its own.
DWORD Truncate(HANDLE h) {
  FILE_END_OF_FILE_INFO end = {};
  return SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end) ? ERROR_SUCCESS : GetLastError();
}

// The length to overwrite: everything the file system gave the file, at least its end.
int64_t LengthOf(const FILE_STANDARD_INFO& standard) {
  int64_t length = standard.EndOfFile.QuadPart;
  return standard.AllocationSize.QuadPart > length ? standard.AllocationSize.QuadPart : length;
}

// The same file: the one that the first handle checked.
bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION x, y;
  return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber;
}

// Overwrites and empties the file's alternate data streams. A file system without streams (or a
// system that cannot list them) has none to overwrite.
DWORD OverwriteStreams(HANDLE file, const std::wstring& path, int passes) {
  std::vector<uint8_t> info(64 * 1024);
  if (!GetFileInformationByHandleEx(file, FileStreamInfo, info.data(), DWORD(info.size()))) {
    DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
        error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED) {
      return ERROR_SUCCESS;
    }
    return error;
  }
  size_t at = 0;
  for (;;) {
    auto* stream = reinterpret_cast<FILE_STREAM_INFO*>(info.data() + at);
    std::wstring name(stream->StreamName, stream->StreamNameLength / sizeof(wchar_t));
    if (name != L"::$DATA") {
      Handle h = Wrap(CreateFileW((path + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_WRITE_THROUGH | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
      if (!h) return GetLastError();
      int64_t length = stream->StreamAllocationSize.QuadPart > stream->StreamSize.QuadPart
                           ? stream->StreamAllocationSize.QuadPart
                           : stream->StreamSize.QuadPart;
      for (int pass = 0; pass < passes; ++pass) {
        if (DWORD error = OverwritePass(h.get(), length, nullptr)) return error;
      }
      if (DWORD error = Truncate(h.get())) return error;
    }
    if (stream->NextEntryOffset == 0) break;
    at += stream->NextEntryOffset;
  }
  return ERROR_SUCCESS;
}

std::wstring RandomName(size_t length) {
  static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::vector<uint8_t> bytes(length);
  SystemRandom(bytes.data(), ULONG(length));
  std::wstring name;
  for (uint8_t b : bytes) name += kLetters[b % 36];
  return name;
}

DWORD RenameTo(HANDLE h, const std::wstring& target) {
  std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFO) + (target.size() + 1) * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = DWORD(target.size() * sizeof(wchar_t));
  memcpy(info->FileName, target.c_str(), (target.size() + 1) * sizeof(wchar_t));
  return SetFileInformationByHandle(h, FileRenameInfo, info, DWORD(buffer.size())) ? ERROR_SUCCESS : GetLastError();
}

// Takes the name out of the folder: a random one of the same length. The contents are gone by
// now, so a name that cannot be changed does not stop the deletion.
std::wstring Rename(HANDLE h, const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  std::wstring folder = path.substr(0, slash + 1);
  size_t length = path.size() - folder.size();
  for (int attempt = 0; attempt < 8 && length > 0; ++attempt) {
    std::wstring target = folder + RandomName(length);
    if (RenameTo(h, target) == ERROR_SUCCESS) return target;
  }
  return path;
}

}  // namespace

bool SystemRandom(void* out, ULONG size) {
  return BCRYPT_SUCCESS(BCryptGenRandom(nullptr, static_cast<PUCHAR>(out), size, BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

DWORD ShredFile(const char* path, int passes, ShredProgress* progress, ShredCheckpoint afterOverwrite,
                void* checkpointContext) {
  if (!path || !*path || passes < 1 || passes > 35) return ERROR_INVALID_PARAMETER;
  std::wstring wide = Wide(path);
  constexpr DWORD kAccess = GENERIC_READ | GENERIC_WRITE | DELETE;
  constexpr DWORD kFlags = FILE_FLAG_WRITE_THROUGH | FILE_FLAG_OPEN_REPARSE_POINT;
  Handle file = Wrap(CreateFileW(wide.c_str(), kAccess, 0, nullptr, OPEN_EXISTING, kFlags, nullptr));

  // A folder, or a read-only file, cannot be opened so. A read-only attribute is cleared through
  // a first handle that reads and changes attributes only (it does not stand in the way of the
  // exclusive open), after the same checks as below; it is given back through it when the file
  // cannot be destroyed.
  Handle look;
  FileFacts before = {};
  std::wstring name;
  bool readOnly = false;
  if (!file) {
    DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) return error;
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return error;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_CANT_RESOLVE_FILENAME;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_DIRECTORY;
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return error;
    look = Wrap(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!look) return GetLastError();
    if (DWORD refused = CheckIdentity(look.get(), wide, before, name)) return refused;
    if (DWORD failed = SetBasicAttributes(look.get(), before.basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY)) return failed;
    readOnly = true;
    file = Wrap(CreateFileW(wide.c_str(), kAccess, 0, nullptr, OPEN_EXISTING, kFlags, nullptr));
  }
  auto giveBack = [&](DWORD error) {
    if (readOnly) SetBasicAttributes(look ? look.get() : file.get(), before.basic.FileAttributes);
    return error;
  };
  if (!file) return giveBack(GetLastError());
  FileFacts facts;
  if (DWORD error = CheckIdentity(file.get(), wide, facts, name)) return giveBack(error);
  if (look && !SameFile(look.get(), file.get())) return giveBack(ERROR_CANT_RESOLVE_FILENAME);  // swapped meanwhile
  if (!readOnly && (facts.basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
    // Some systems (Wine) open a read-only file for writing all the same, and refuse only its
    // deletion: the attribute goes through the file's own handle.
    before = facts;
    if (DWORD error = SetBasicAttributes(file.get(), facts.basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY)) return error;
    readOnly = true;
  }

  int64_t length = LengthOf(facts.standard);
  if (progress) {
    progress->fileBytes = length;
    progress->writtenBytes = 0;
  }
  for (int pass = 0; pass < passes; ++pass) {
    if (DWORD error = OverwritePass(file.get(), length, progress)) return giveBack(error);
  }
  if (DWORD error = OverwriteStreams(file.get(), name, passes)) return giveBack(error);
  if (afterOverwrite && !afterOverwrite(checkpointContext)) return giveBack(ERROR_CANCELLED);
  if (DWORD error = Truncate(file.get())) return giveBack(error);

  std::wstring renamed = Rename(file.get(), name);
  FILE_DISPOSITION_INFO disposition = {TRUE};
  if (!SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
    DWORD error = GetLastError();
    if (renamed != name) RenameTo(file.get(), name);  // left where it was, emptied
    return error;
  }
  return ERROR_SUCCESS;
}
