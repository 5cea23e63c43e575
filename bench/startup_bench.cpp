// Start-up benchmark: time from process creation to the main window shown, and private memory
// once started, of sysclean.exe against the minimal program, alternating, on the same Wine.
//   startup_bench.exe [rounds]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  double privateMB = 0;
};

std::string Folder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

struct Search {
  DWORD pid;
  const char* caption;
  bool found;
};

BOOL CALLBACK CheckWindow(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  char text[128] = {};
  if (owner == s->pid && IsWindowVisible(h) && GetWindowTextA(h, text, sizeof text) &&
      std::string(text) == s->caption) {
    s->found = true;
    return FALSE;
  }
  return TRUE;
}

bool WindowShown(DWORD pid, const char* caption) {
  Search s{pid, caption, false};
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool Measure(const std::string& exe, const char* caption, Sample& out) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = "\"" + exe + "\"";
  std::string dir = exe.substr(0, exe.find_last_of('\\'));
  QueryPerformanceCounter(&t0);
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
    return false;
  }
  bool shown = false;
  for (int i = 0; i < 20000 && !shown; ++i) {
    shown = WindowShown(pi.dwProcessId, caption);
    if (!shown) Sleep(1);
  }
  QueryPerformanceCounter(&t1);
  out.ms = 1000.0 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart;
  Sleep(500);  // let the window settle: first paint, timers set
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  // The private bytes of the process: PagefileUsage, which Windows also reports as PrivateUsage
  // and which Wine fills for another process (its PrivateUsage stays 0).
  out.privateMB = pmc.PagefileUsage / (1024.0 * 1024.0);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return shown;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
  std::string folder = Folder();
  // A folder of its own for sysclean: no settings files, as on a first start.
  std::string app = folder + "\\bench_app";
  CreateDirectoryA(app.c_str(), nullptr);
  CopyFileA((folder + "\\sysclean.exe").c_str(), (app + "\\sysclean.exe").c_str(), FALSE);

  std::vector<double> msMin, msApp, memMin, memApp;
  for (int i = 0; i < rounds; ++i) {
    Sample a, b;
    if (!Measure(folder + "\\minimal_window.exe", "minimal", a) ||
        !Measure(app + "\\sysclean.exe", "Quorvel PC Cleaner     by Quorvel Software Lab", b)) {
      std::printf("round %d: a window did not appear\n", i + 1);
      return 1;
    }
    msMin.push_back(a.ms);
    msApp.push_back(b.ms);
    memMin.push_back(a.privateMB);
    memApp.push_back(b.privateMB);
    std::printf("round %2d  minimal %7.1f ms %6.2f MB   sysclean %7.1f ms %6.2f MB\n", i + 1, a.ms,
                a.privateMB, b.ms, b.privateMB);
  }
  double tMin = Median(msMin), tApp = Median(msApp);
  std::printf("\nmedian of %d rounds, side by side on the same Wine:\n", rounds);
  std::printf("  start-up to window shown: minimal %.1f ms, sysclean %.1f ms, ratio %.2f (goal <= 1.5)\n",
              tMin, tApp, tApp / tMin);
  std::printf("  private memory after start-up: minimal %.2f MB, sysclean %.2f MB (goal < 10 MB), ratio %.2f\n",
              Median(memMin), Median(memApp), Median(memApp) / Median(memMin));
  return 0;
}
