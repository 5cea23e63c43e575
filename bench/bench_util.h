// Helpers shared by the benchmarks: a clock, the program's folder, generated trees.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cleanops/safe_delete.h"

namespace bench {

inline double NowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * t.QuadPart / f.QuadPart;
}

inline std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

inline bool IsDots(const char* n) { return n[0] == '.' && (!n[1] || (n[1] == '.' && !n[2])); }

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Deletes every file of a tree with the safe-delete routine, folder handle by folder handle.
inline void SafeDeleteWalk(const SafeFolder& dir, const std::string& folder, bool clearReadOnly) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (IsDots(fd.cFileName)) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (auto sub = dir.OpenChildFolder(fd.cFileName)) SafeDeleteWalk(*sub, folder + "\\" + fd.cFileName, clearReadOnly);
    } else {
      dir.DeleteChild(fd.cFileName, clearReadOnly);
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

// A tree of `folders` folders (in groups of 100) with `perFolder` small files named f<j><extension>.
inline void MakeTree(const std::string& root, int folders, int perFolder, const char* extension = ".tmp") {
  CreateDirectoryA(root.c_str(), nullptr);
  for (int i = 0; i < folders; ++i) {
    std::string group = root + "\\g" + std::to_string(i / 100);
    CreateDirectoryA(group.c_str(), nullptr);
    std::string dir = group + "\\d" + std::to_string(i % 100);
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int j = 0; j < perFolder; ++j) {
      HANDLE f = CreateFileA((dir + "\\f" + std::to_string(j) + extension).c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
      DWORD n;
      WriteFile(f, "junk", 4, &n, nullptr);
      CloseHandle(f);
    }
  }
}

}  // namespace bench
