// The junk cleaning work and its worker thread.
#include "junk/junk_run.h"

#include <windows.h>

#include "cleanops/safe_delete.h"
#include "cleanops/temp_store.h"
#include "common/scoped.h"
#include "junk/junk_patterns.h"
#include "junk/wildcard.h"

void JunkRunState::SetCurrent(std::string text) {
  std::lock_guard<std::mutex> lock(mutex_);
  current_ = std::move(text);
  changed_ = true;
}

bool JunkRunState::TakeCurrent(std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!changed_) return false;
  text = current_;
  changed_ = false;
  return true;
}

namespace {

struct Entry {
  std::string name;
  DWORD attributes;
  uint64_t size;
  bool deleted = false;
};

// A folder of the walk whose handle is opened only when something in it is to be deleted: most
// folders hold no junk, and the walk then costs no more than listing them. The handle is opened
// from the parent's handle by name, so the chain always runs from the scanned location down
// through real folders, whatever happened to the paths meanwhile.
class LazyFolder {
 public:
  LazyFolder(LazyFolder* parent, std::string name) : parent_(parent), name_(std::move(name)) {}
  explicit LazyFolder(std::optional<SafeFolder> root) : dir_(std::move(root)), tried_(true) {}

  const SafeFolder* Get() {
    if (!tried_) {
      tried_ = true;
      if (const SafeFolder* parent = parent_ ? parent_->Get() : nullptr) dir_ = parent->OpenChildFolder(name_);
    }
    return dir_ ? &*dir_ : nullptr;
  }

 private:
  LazyFolder* parent_ = nullptr;
  std::string name_;
  std::optional<SafeFolder> dir_;
  bool tried_ = false;
};

class Scanner {
 public:
  Scanner(JunkRunState& state, const std::vector<std::string>& patterns) : state_(state) {
    for (const std::string& p : patterns) patterns_.emplace_back(p);
  }

  // `path` ends in a backslash; `dir` is the same folder.
  void Scan(LazyFolder& dir, const std::string& path) {
    if (Stopped()) return;
    std::vector<Entry> entries;
    if (!List(path, entries)) return;
    // Each pattern in its order over the one listing, in listing order; a file that an earlier
    // pattern deleted is gone for the later ones.
    for (const wildcard::Pattern& pattern : patterns_) {
      if (Stopped()) return;
      for (Entry& e : entries) {
        if ((e.attributes & FILE_ATTRIBUTE_DIRECTORY) || e.deleted || !pattern.Matches(e.name)) continue;
        if (Stopped()) return;
        state_.SetCurrent("找到文件：" + path + e.name);
        // Only a file that is really gone counts; a read-only file is shown and left in place.
        const SafeFolder* folder = dir.Get();
        if (folder && folder->DeleteChild(e.name, false)) {
          e.deleted = true;
          state_.filesFound += 1;
          state_.totalKB += static_cast<int64_t>(e.size / 1024);
        }
      }
    }
    for (const Entry& e : entries) {
      if (!(e.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      if (Stopped()) return;
      if (e.name[0] == '.') continue;  // ".", ".." and every folder whose name starts with a dot
      if (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // links may lead anywhere
      LazyFolder sub(&dir, e.name);
      Scan(sub, path + e.name + "\\");
    }
  }

 private:
  bool Stopped() const { return state_.stopRequested.load() == 1; }

  // One listing of the folder, kept whole: the patterns and the sub-folder walk all use it.
  static bool List(const std::string& path, std::vector<Entry>& entries) {
    const std::string search = path + "*";
    if (search.size() >= MAX_PATH) return false;  // never cut into another, shorter path
    WIN32_FIND_DATAA fd;
    UniqueFindHandle find(FindFirstFileExA(search.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return false;
    do {
      entries.push_back({fd.cFileName, fd.dwFileAttributes,
                         (static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow});
    } while (FindNextFileA(find.get(), &fd));
    return true;
  }

  JunkRunState& state_;
  std::vector<wildcard::Pattern> patterns_;
};

std::atomic<bool> g_workerBusy{false};

struct WorkerArgs {
  std::shared_ptr<JunkRunState> state;
  JunkScope scope;
};

DWORD WINAPI JunkCleanWorker(LPVOID param) noexcept {
  std::unique_ptr<WorkerArgs> args(static_cast<WorkerArgs*>(param));
  try {
    RunJunkClean(*args->state, args->scope);
  } catch (...) {
    args->state->workerDone = 1;  // nothing unwinds out of the thread; the window still closes
  }
  g_workerBusy = false;
  return 0;
}

}  // namespace

void RunJunkClean(JunkRunState& state, const JunkScope& scope) {
  state.workerDone = 0;
  state.filesFound = 0;
  state.totalKB = 0;
  state.SetCurrent("正在分析......请稍后！");
  if (!scope.locations.empty() && !scope.patterns.empty()) {
    Scanner scanner(state, scope.patterns);
    for (const std::string& location : scope.locations) {
      if (state.stopRequested.load() == 1) break;
      int32_t kind = SpecialLocationKind(location);
      if (kind >= 0) {
        ClearTempStore(kind);
        continue;
      }
      std::string path = location;
      if (path.empty() || path.back() != '\\') path += '\\';
      LazyFolder root(SafeFolder::Open(path));
      scanner.Scan(root, path);
    }
  }
  state.workerDone = 1;
}

bool JunkWorkerBusy() { return g_workerBusy.load(); }

bool StartJunkWorker(std::shared_ptr<JunkRunState> state, JunkScope scope) {
  bool expected = false;
  if (!g_workerBusy.compare_exchange_strong(expected, true)) return false;
  auto* args = new WorkerArgs{std::move(state), std::move(scope)};
  HANDLE thread = CreateThread(nullptr, 0, JunkCleanWorker, args, 0, nullptr);
  if (!thread) {
    delete args;
    g_workerBusy = false;
    return false;
  }
  CloseHandle(thread);
  return true;
}
