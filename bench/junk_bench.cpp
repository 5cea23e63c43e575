// Benchmarks of the junk run, each against a bare loop doing the same work on an identical tree:
//   all 56 patterns over 100 000 files in 10 000 folders with no junk, against a walk that lists
//   each folder once, and against the literal way (one search per pattern and folder, plus the
//   sub-folder walk); a run that deletes 50 000 junk files, against a bare loop deleting them
//   with the same safe-delete routine, and that routine against plain DeleteFileA.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "cleanops/safe_delete.h"
#include "cleanops/temp_store.h"
#include "junk/junk_patterns.h"
#include "junk/junk_run.h"

namespace {

long BareWalk(const std::string& folder) {
  long files = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (bench::IsDots(fd.cFileName)) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) files += BareWalk(folder + "\\" + fd.cFileName);
    else ++files;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return files;
}

// One search per pattern and folder, then the sub-folder walk: the way that lists each folder 57 times.
void LiteralScan(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  for (const JunkPattern& p : kJunkPatterns) {
    HANDLE h = FindFirstFileA((folder + "\\" + p.text).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    while (FindNextFileA(h, &fd)) {
    }
    FindClose(h);
  }
  HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.') LiteralScan(folder + "\\" + fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

void PlainDeleteWalk(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (bench::IsDots(fd.cFileName)) continue;
    std::string path = folder + "\\" + fd.cFileName;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) PlainDeleteWalk(path);
    else DeleteFileA(path.c_str());
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace

int main() {
  const std::string base = bench::ProgramFolder() + "\\junk_bench";
  CreateDirectoryA(base.c_str(), nullptr);

  const std::string clean = base + "\\clean";
  bench::MakeTree(clean, 10000, 10, ".dat");
  JunkScope all{{clean}, {}};
  for (const JunkPattern& p : kJunkPatterns) all.patterns.push_back(p.text);
  JunkRunState state;
  double t0 = bench::NowMs();
  RunJunkClean(state, all);
  double t1 = bench::NowMs();
  long walked = BareWalk(clean);
  double t2 = bench::NowMs();
  LiteralScan(clean);
  double t3 = bench::NowMs();
  std::printf("56 patterns over %ld files, no junk: run %.0f ms; bare walk listing each folder once %.0f ms;"
              " ratio %.2f (goal <= 1.25)\n", walked, t1 - t0, t2 - t1, (t1 - t0) / (t2 - t1));
  std::printf("the same run against one search per pattern and folder (%.0f ms): %.1f times faster\n", t3 - t2,
              (t3 - t2) / (t1 - t0));
  EmptyFolder(clean, true, false);

  const std::string a = base + "\\run", b = base + "\\safe", c = base + "\\plain";
  bench::MakeTree(a, 5000, 10, ".tmp");
  bench::MakeTree(b, 5000, 10, ".tmp");
  bench::MakeTree(c, 5000, 10, ".tmp");
  JunkRunState deleting;
  t0 = bench::NowMs();
  RunJunkClean(deleting, JunkScope{{a}, {"*.tmp"}});
  t1 = bench::NowMs();
  bench::SafeDeleteWalk(*SafeFolder::Open(b), b, false);
  t2 = bench::NowMs();
  PlainDeleteWalk(c);
  t3 = bench::NowMs();
  std::printf("a run deleting %lld junk files: %.0f ms; bare loop with the same safe delete %.0f ms; ratio %.2f"
              " (goal <= 1.2)\n", static_cast<long long>(deleting.filesFound.load()), t1 - t0, t2 - t1,
              (t1 - t0) / (t2 - t1));
  std::printf("safe delete %.0f ms; plain DeleteFileA %.0f ms; cost of the safety %.2f\n", t2 - t1, t3 - t2,
              (t2 - t1) / (t3 - t2));
  for (const std::string& d : {a, b, c}) EmptyFolder(d, true, false);
  return 0;
}
