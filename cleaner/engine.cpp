// The engine object behind CreateCleaner: the type list, the searches, the existence checks and
// the shredding of files and folder trees.
#include <atomic>
#include <climits>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "cleaner/cleaner.h"
#include "cleaner/shred_file.h"
#include "junk/wildcard.h"

namespace {

bool IsDots(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

// Nothing may unwind out of an operation into its caller: a failed allocation (or thread) is an
// error result.
template <typename Work>
int32_t Guarded(Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

int32_t ClampKB(int64_t bytes) {
  int64_t kb = bytes / 1024;
  return kb > INT_MAX ? INT_MAX : int32_t(kb);
}

// The entries of one folder, read before any of them is acted on.
struct Entry {
  std::string name;
  DWORD attributes;
};
bool ListFolder(const std::string& folder, std::vector<Entry>& entries) {
  std::string search = folder + "*";
  if (search.size() >= MAX_PATH) return false;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileExA(search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    if (!IsDots(data.cFileName)) entries.push_back({data.cFileName, data.dwFileAttributes});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

class Engine final : public CleanerEngine {
 public:
  int32_t CLEANER_CALL Init() override {
    stop_ = false;
    filesShredded_ = 0;
    progress_.fileBytes = 0;
    progress_.writtenBytes = 0;
    return 0;
  }

  int32_t CLEANER_CALL Release() override {
    int32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

  int32_t CLEANER_CALL GetRefCount() override { return references_; }

  int32_t CLEANER_CALL AddType(const char* pattern, int32_t tag) override {
    if (!pattern || !*pattern || tag == 0 || std::string(pattern).find('\\') != std::string::npos) {
      return ERROR_INVALID_PARAMETER;
    }
    return Guarded([&] {
      std::lock_guard<std::mutex> lock(typesMutex_);
      if (FindType(pattern) != types_.end()) return int32_t(ERROR_ALREADY_EXISTS);
      types_.push_back({pattern, wildcard::Pattern(pattern), tag});
      return int32_t(0);
    });
  }

  int32_t CLEANER_CALL DelType(const char* pattern) override {
    if (!pattern) return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> lock(typesMutex_);
    auto it = FindType(pattern);
    if (it == types_.end()) return ERROR_NOT_FOUND;
    types_.erase(it);
    return 0;
  }

  int32_t CLEANER_CALL GetType(const char* name) override {
    if (!name) return 0;
    std::string text(name);
    size_t slash = text.find_last_of("\\/");
    if (slash != std::string::npos) text.erase(0, slash + 1);
    std::lock_guard<std::mutex> lock(typesMutex_);
    for (const Type& type : types_) {
      if (type.matcher.Matches(text)) return type.tag;
    }
    return 0;
  }

  int32_t CLEANER_CALL DelAllType() override {
    std::lock_guard<std::mutex> lock(typesMutex_);
    types_.clear();
    return 0;
  }

  int32_t CLEANER_CALL SearchFile(const char* folder, const char* pattern, int32_t flags, CleanerFoundRoutine found,
                                  void* context) override {
    return Search(folder, pattern, flags, found, context, false);
  }

  int32_t CLEANER_CALL SearchDir(const char* folder, const char* pattern, int32_t flags, CleanerFoundRoutine found,
                                 void* context) override {
    return Search(folder, pattern, flags, found, context, true);
  }

  uint8_t CLEANER_CALL IsFileExist(const char* path) override {
    if (!path || !*path) return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  uint8_t CLEANER_CALL IsDirExist(const char* path) override {
    if (!path || !*path) return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  int32_t CLEANER_CALL DelDir(const char* folder, int32_t passes, int32_t flags) override {
    if (!folder || !*folder || passes < 1 || passes > kCleanerMaxPasses) return ERROR_INVALID_PARAMETER;
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES) return int32_t(GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ERROR_CANT_RESOLVE_FILENAME;
    state_ = kCleanerShredding;
    int32_t first = Guarded([&] { return int32_t(ShredTree(WithBackslash(folder), passes, !(flags & kCleanerKeepTop))); });
    state_ = kCleanerIdle;
    return first;
  }

  int32_t CLEANER_CALL DelFile(const char* path, int32_t passes) override {
    state_ = kCleanerShredding;
    int32_t error = Guarded([&] { return int32_t(ShredFile(path, passes, &progress_)); });
    if (error == ERROR_SUCCESS) ++filesShredded_;
    state_ = kCleanerIdle;
    return error;
  }

  int32_t CLEANER_CALL StopSearch() override {
    stop_ = true;
    return 0;
  }

  int32_t CLEANER_CALL GetCurState() override { return state_; }

  int32_t CLEANER_CALL GetObjCurSize(int32_t question) override {
    switch (question) {
      case kCleanerCurrentFileKB: return ClampKB(progress_.fileBytes);
      case kCleanerWrittenKB: return ClampKB(progress_.writtenBytes);
      case kCleanerFilesShredded: return filesShredded_;
      default: return -1;
    }
  }

 private:
  struct Type {
    std::string text;
    wildcard::Pattern matcher;
    int32_t tag;
  };

  std::vector<Type>::iterator FindType(const char* pattern) {
    for (auto it = types_.begin(); it != types_.end(); ++it) {
      if (lstrcmpiA(it->text.c_str(), pattern) == 0) return it;
    }
    return types_.end();
  }

  int32_t Search(const char* folder, const char* pattern, int32_t flags, CleanerFoundRoutine found, void* context,
                 bool folders) {
    if (!folder || !*folder || !found) return ERROR_INVALID_PARAMETER;
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_PATH_NOT_FOUND;
    stop_ = false;
    state_ = kCleanerSearching;
    int32_t result = Guarded([&] {
      SearchJob job{this, found, context, folders, (flags & kCleanerRecurse) != 0, pattern && *pattern,
                    wildcard::Pattern(pattern ? pattern : "")};
      return job.Walk(WithBackslash(folder)) ? int32_t(0) : int32_t(ERROR_CANCELLED);
    });
    state_ = kCleanerIdle;
    return result;
  }

  struct SearchJob {
    Engine* engine;
    CleanerFoundRoutine found;
    void* context;
    bool folders, recurse, byPattern;
    wildcard::Pattern pattern;

    bool Selected(const std::string& name) {
      if (byPattern) return pattern.Matches(name);
      if (folders) return true;
      std::lock_guard<std::mutex> lock(engine->typesMutex_);
      if (engine->types_.empty()) return true;
      for (const Type& type : engine->types_) {
        if (type.matcher.Matches(name)) return true;
      }
      return false;
    }

    // False when the search was stopped.
    bool Walk(const std::string& folder) {
      std::vector<Entry> entries;
      if (!ListFolder(folder, entries)) return !engine->stop_;
      for (const Entry& entry : entries) {
        if (engine->stop_) return false;
        bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        std::string path = folder + entry.name;
        if (path.size() >= MAX_PATH) continue;
        if (isFolder == folders && Selected(entry.name) && !found(context, path.c_str())) {
          engine->stop_ = true;
          return false;
        }
      }
      if (!recurse) return true;
      for (const Entry& entry : entries) {
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        std::string sub = folder + entry.name + "\\";
        if (sub.size() >= MAX_PATH) continue;
        if (!Walk(sub)) return false;
      }
      return !engine->stop_;
    }
  };

  // Shreds the files of `folder` (ending in a backslash) and of its sub-folders, then removes the
  // emptied sub-folders and, with `removeSelf`, the folder. Returns the first error.
  DWORD ShredTree(const std::string& folder, int passes, bool removeSelf) {
    DWORD first = ERROR_SUCCESS;
    auto note = [&first](DWORD error) {
      if (first == ERROR_SUCCESS) first = error;
    };
    std::vector<Entry> entries;
    if (!ListFolder(folder, entries)) return GetLastError() ? GetLastError() : ERROR_PATH_NOT_FOUND;
    for (const Entry& entry : entries) {
      std::string path = folder + entry.name;
      if (path.size() >= MAX_PATH) {
        note(ERROR_FILENAME_EXCED_RANGE);
      } else if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        note(ERROR_CANT_RESOLVE_FILENAME);  // a link: neither followed nor removed
      } else if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // Looked at again just before going in: it may have been swapped for a link.
        DWORD now = GetFileAttributesA(path.c_str());
        if (now == INVALID_FILE_ATTRIBUTES || (now & FILE_ATTRIBUTE_REPARSE_POINT) || !(now & FILE_ATTRIBUTE_DIRECTORY)) {
          note(ERROR_CANT_RESOLVE_FILENAME);
        } else if (DWORD error = ShredTree(path + "\\", passes, true)) {
          note(error);
        }
      } else if (DWORD error = ShredFile(path.c_str(), passes, &progress_)) {
        note(error);
      } else {
        ++filesShredded_;
      }
    }
    if (removeSelf && first == ERROR_SUCCESS) {
      std::string self = folder.substr(0, folder.size() - 1);
      if (!RemoveDirectoryA(self.c_str())) note(GetLastError());
    }
    return first;
  }

  std::atomic<int32_t> references_{1};
  std::atomic<bool> stop_{false};
  std::atomic<int32_t> state_{kCleanerIdle};
  std::atomic<int32_t> filesShredded_{0};
  ShredProgress progress_;
  std::mutex typesMutex_;
  std::vector<Type> types_;
};

}  // namespace

extern "C" CleanerEngine* CLEANER_CALL CreateCleaner(int32_t version) {
  if (version != 8227) return nullptr;
  return new (std::nothrow) Engine();
}
