// Benchmarks of the cleaning operations, each against a bare loop doing the same work:
//   SearchFiles over a tree of 50 000 files in 5 000 folders against a walk that lists each
//   folder once; EmptyFolder on 20 000 small files against a bare loop that deletes the same
//   files with the same safe-delete routine; and that routine against plain DeleteFileA.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cleanops/file_search.h"
#include "bench/bench_util.h"
#include "cleanops/safe_delete.h"
#include "cleanops/temp_store.h"

namespace {

// Lists every folder once; `onFile` gets each file's full path.
template <typename F>
void BareWalk(const std::string& folder, F&& onFile) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.cFileName[0] == '.' && (!fd.cFileName[1] || (fd.cFileName[1] == '.' && !fd.cFileName[2]))) continue;
    std::string path = folder + "\\" + fd.cFileName;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      BareWalk(path, onFile);
    } else {
      onFile(path);
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace

int main() {
  const std::string base = bench::ProgramFolder() + "\\cleanops_bench";
  CreateDirectoryA(base.c_str(), nullptr);

  const std::string tree = base + "\\search";
  bench::MakeTree(tree, 5000, 10);
  std::vector<double> searchMs, walkMs;
  long found = 0, walked = 0;
  for (int round = 0; round < 3; ++round) {
    found = walked = 0;
    double t0 = bench::NowMs();
    SearchFiles(tree, "*.*", [&](const std::string&, const std::string&) { ++found; }, true);
    double t1 = bench::NowMs();
    BareWalk(tree, [&](const std::string&) { ++walked; });
    double t2 = bench::NowMs();
    searchMs.push_back(t1 - t0);
    walkMs.push_back(t2 - t1);
  }
  std::printf("SearchFiles over %ld files: %.0f ms; bare walk listing each folder once (%ld files): %.0f ms;"
              " ratio %.2f (goal <= 1.2)\n",
              found, bench::Median(searchMs), walked, bench::Median(walkMs), bench::Median(searchMs) / bench::Median(walkMs));
  EmptyFolder(tree, true, false);

  const std::string a = base + "\\empty", b = base + "\\safe", c = base + "\\plain";
  bench::MakeTree(a, 2000, 10);
  bench::MakeTree(b, 2000, 10);
  bench::MakeTree(c, 2000, 10);
  double t0 = bench::NowMs();
  EmptyFolder(a, true, false);
  double t1 = bench::NowMs();
  bench::SafeDeleteWalk(*SafeFolder::Open(b), b, true);
  double t2 = bench::NowMs();
  std::vector<std::string> files;
  BareWalk(c, [&](const std::string& p) { files.push_back(p); });
  for (const std::string& p : files) DeleteFileA(p.c_str());
  double t3 = bench::NowMs();
  std::printf("EmptyFolder on 20000 files: %.0f ms; bare loop with the same safe delete: %.0f ms; ratio %.2f"
              " (goal <= 1.2)\n", t1 - t0, t2 - t1, (t1 - t0) / (t2 - t1));
  std::printf("safe delete: %.0f ms; plain DeleteFileA: %.0f ms; cost of the safety %.2f (goal <= 1.5)\n",
              t2 - t1, t3 - t2, (t2 - t1) / (t3 - t2));
  for (const std::string& d : {a, b, c, tree}) EmptyFolder(d, true, false);
  return 0;
}
