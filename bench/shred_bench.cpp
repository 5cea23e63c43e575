// Shredding figures: the engine against a bare write-and-flush of as many bytes through the same
// calls (the disk's own limit), and "添加文件夹" against the search alone. bench/run.sh puts GNU
// shred beside them. Prints "name value" lines.
//   shred_bench.exe big FOLDER MB | many FOLDER COUNT | list FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "cleaner/shred_file.h"
#include "cleanops/file_search.h"
#include "shredder/shredder_window.h"

namespace {

void Fill(const std::string& path, int64_t size) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::vector<char> chunk(1 << 20, 'x');
  for (int64_t left = size; left > 0; left -= int64_t(chunk.size())) {
    DWORD n = 0;
    WriteFile(f, chunk.data(), DWORD(left < int64_t(chunk.size()) ? left : int64_t(chunk.size())), &n, nullptr);
  }
  FlushFileBuffers(f);
  CloseHandle(f);
}

// What the disk allows: the same length written from a ready buffer and flushed, with the same
// opening flags as the engine.
double BareWriteMs(const std::string& path, int64_t size) {
  std::vector<uint8_t> chunk(1 << 20);
  SystemRandom(chunk.data(), ULONG(chunk.size()));
  double start = bench::NowMs();
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_WRITE_THROUGH, nullptr);
  for (int64_t left = size; left > 0; left -= int64_t(chunk.size())) {
    DWORD n = 0;
    WriteFile(f, chunk.data(), DWORD(left < int64_t(chunk.size()) ? left : int64_t(chunk.size())), &n, nullptr);
  }
  FlushFileBuffers(f);
  CloseHandle(f);
  return bench::NowMs() - start;
}

bool NoteTime(void* at) {
  *static_cast<double*>(at) = bench::NowMs();
  return true;
}

// Each measurement overwrites a file just written and flushed; the two kinds take turns, three
// rounds each, and the medians are reported.
int Big(const std::string& folder, int64_t mb) {
  std::string path = folder + "\\big.bin";
  std::vector<double> bare, engine, overwrite;
  DWORD error = 0;
  for (int round = 0; round < 3; ++round) {
    Fill(path, mb << 20);
    bare.push_back(BareWriteMs(path, mb << 20));
    DeleteFileA(path.c_str());
    Fill(path, mb << 20);
    double overwritten = 0;
    double start = bench::NowMs();
    error |= ShredFile(path.c_str(), 1, nullptr, NoteTime, &overwritten);
    engine.push_back(bench::NowMs() - start);
    overwrite.push_back(overwritten - start);
  }
  std::printf("bare_write_ms %.1f\nengine_ms %.1f\nengine_overwrite_ms %.1f\nengine_error %lu\n", bench::Median(bare),
              bench::Median(engine), bench::Median(overwrite), error);
  return error ? 1 : 0;
}

int Many(const std::string& folder, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    paths.push_back(folder + "\\f" + std::to_string(i) + ".bin");
    Fill(paths.back(), 4096);
  }
  double start = bench::NowMs();
  int failed = 0;
  for (const std::string& path : paths) failed += ShredFile(path.c_str(), 1) != 0;
  double ms = bench::NowMs() - start;
  std::printf("engine_ms %.1f\nengine_failed %d\n", ms, failed);
  return failed ? 1 : 0;
}

int List(const std::string& folder) {
  std::string root = folder + "\\";
  size_t found = 0;
  double start = bench::NowMs();
  std::vector<std::string> paths;
  SearchFiles(root, "*.*", [&](const std::string& in, const std::string& name) { paths.push_back(in + name); }, true);
  double search = bench::NowMs() - start;
  found = paths.size();
  ShredderWindow window;
  if (!window.Create(nullptr)) return 1;
  start = bench::NowMs();
  window.AddFolder(root);
  double fill = bench::NowMs() - start;
  std::printf("files %zu\nsearch_ms %.1f\nadd_folder_ms %.1f\nlisted %zu\n", found, search, fill, window.Entries().size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string mode = argv[1], folder = argv[2];
  CreateDirectoryA(folder.c_str(), nullptr);
  if (mode == "big") return Big(folder, argc > 3 ? atoi(argv[3]) : 512);
  if (mode == "many") return Many(folder, argc > 3 ? atoi(argv[3]) : 5000);
  if (mode == "list") return List(folder);
  return 2;
}
