// Stands in for the web browser in the banner tests: records the address it was asked to open
// in opened.txt beside itself.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path(self, n);
  path = path.substr(0, path.find_last_of('\\')) + "\\opened.txt";
  HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  std::string line = (argc > 1 ? argv[1] : "") + std::string("\n");
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
  return 0;
}
