// The GUI driver: window lookup, control access, message boxes and screen capture.
#include "tests/driver/gui_driver.h"

#include "tests/driver/fixture_files.h"

#include <png.h>

#include <cstring>

namespace gui {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(30);
  }
}

std::string TestProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

namespace {

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

struct FindData {
  DWORD pid;
  const std::string* caption;
  std::vector<HWND> found;
};

}  // namespace

std::string App::MakeFolder(const std::string& name,
                            const std::vector<std::pair<std::string, std::string>>& files) {
  std::string base = TestProgramFolder();
  std::string folder = base + "\\apps";
  CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\" + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  // The program and its two libraries, copied (not linked): tests shred files beside them.
  for (const char* file : {"\\sysclean.exe", "\\Sweepgate.dll", "\\Cleaner.dll"}) {
    CopyFileA((base + file).c_str(), (folder + file).c_str(), FALSE);
  }
  CopyTree(base + "\\help", folder + "\\help");
  for (const auto& [file, content] : files) fx::WriteBytes(folder + "\\" + file, content);
  return folder;
}

std::unique_ptr<App> App::Start(const std::string& folder, DWORD timeoutMs) {
  auto app = std::unique_ptr<App>(new App);
  app->folder_ = folder;
  std::string exe = folder + "\\sysclean.exe";
  std::string cmd = "\"" + exe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &si, &pi)) {
    return nullptr;
  }
  CloseHandle(pi.hThread);
  app->process_ = pi.hProcess;
  app->pid_ = pi.dwProcessId;
  app->main_ = WaitForWindow(app->pid_, kMainCaption, timeoutMs);
  if (!app->main_) return nullptr;
  return app;
}

App::~App() {
  if (process_) {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 99);
      WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
  }
}

std::optional<DWORD> App::WaitExit(DWORD timeoutMs) {
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

namespace {
BOOL CALLBACK CollectWindowOfProcess(HWND h, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  if (owner == d->pid) d->found.push_back(h);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid) {
  FindData data{pid, nullptr, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

HWND FindTopLevel(DWORD pid, const std::string& caption) {
  for (HWND h : TopLevelWindows(pid)) {
    if (IsWindowVisible(h) && Text(h) == caption) return h;
  }
  return nullptr;
}

HWND WaitForWindow(DWORD pid, const std::string& caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(pid, caption)) != nullptr; }, timeoutMs);
  return found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
  return out;
}

HWND Child(HWND parent, const std::string& text, int nth) {
  for (HWND h : Children(parent)) {
    if (Text(h) == text && nth-- == 0) return h;
  }
  return nullptr;
}

std::string Text(HWND h) {
  char buf[1024] = {};
  // WM_GETTEXT reaches another process's window; GetWindowText would not read its controls.
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                           2000, &n)) {
    return std::string();
  }
  return std::string(buf, strnlen(buf, sizeof buf));
}

std::string ClassOf(HWND h) {
  char buf[256] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

RECT PlaceInParent(HWND h) {
  RECT rc;
  GetWindowRect(h, &rc);
  MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool Enabled(HWND h) { return IsWindowEnabled(h) != FALSE; }
bool Visible(HWND h) { return IsWindowVisible(h) != FALSE; }

void SetText(HWND h, const std::string& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, &result);
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return items;
  for (DWORD_PTR i = 0; i < count; ++i) {
    // Wine hands LB_GETTEXT to another process correctly only in its wide form.
    wchar_t wide[1024] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &n);
    char buf[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, buf, sizeof buf, nullptr, nullptr);
    items.emplace_back(buf);
  }
  return items;
}

void ListAdd(HWND list, const std::string& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
}

namespace {
struct DescendantSearch {
  std::string className;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectDescendant(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<DescendantSearch*>(lp);
  if (search->className.empty() || _stricmp(ClassOf(h).c_str(), search->className.c_str()) == 0) {
    search->found.push_back(h);
  }
  return TRUE;
}
}  // namespace

std::vector<HWND> Descendants(HWND parent, const std::string& className) {
  DescendantSearch search{className, {}};
  EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void CloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND FocusOf(HWND top) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void PressKey(HWND top, WORD vk) {
  HWND target = FocusOf(top);
  if (!target) target = top;
  UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
  PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

std::vector<HWND> BigButtons(HWND main) {
  auto find = [main](const char* group, const char* text) {
    HWND parent = group ? Child(main, group) : main;
    return parent ? Child(parent, text) : nullptr;
  };
  return {find("系统垃圾清理：", "一键清除"),     find("系统垃圾清理：", "范围设定"),
          find("系统历史记录清理：", "范围设定"), find("系统历史记录清理：", "一键清除"),
          find("常用软件记录清理：", "范围设定"), find("常用软件记录清理：", "一键清除"),
          find("", "全部一键清理"),              find(nullptr, "快捷键列表"),
          find(nullptr, "文件粉碎"),             find("", "隐藏软件")};
}

bool ButtonsEnabled(HWND main, bool enabled) {
  for (HWND b : BigButtons(main)) {
    if (!b || Enabled(b) != enabled) return false;
  }
  return true;
}

void SendHotkey(char key) {
  const WORD keys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, static_cast<WORD>(key)};
  INPUT in[8] = {};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[7 - i].type = INPUT_KEYBOARD;
    in[7 - i].ki.wVk = keys[i];
    in[7 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(8, in, sizeof(INPUT));
}

std::optional<MessageBoxInfo> FindMessageBox(DWORD pid) {
  for (HWND h : TopLevelWindows(pid)) {
    if (!IsWindowVisible(h) || ClassOf(h) != "#32770") continue;
    MessageBoxInfo box;
    box.hwnd = h;
    box.caption = Text(h);
    for (HWND c : Children(h)) {
      std::string cls = ClassOf(c);
      LONG style = GetWindowLongA(c, GWL_STYLE);
      if (_stricmp(cls.c_str(), "Button") == 0) {
        box.buttons.emplace_back(GetDlgCtrlID(c), Text(c));
      } else if (_stricmp(cls.c_str(), "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
          box.hasIcon = box.hasIcon || SendMessageA(c, STM_GETICON, 0, 0) != 0;
        } else if (!Text(c).empty()) {
          box.text = Text(c);
        }
      }
    }
    return box;
  }
  return std::nullopt;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
  std::optional<MessageBoxInfo> box;
  WaitUntil([&] { return (box = FindMessageBox(pid)).has_value(); }, timeoutMs);
  return box;
}

void Answer(const MessageBoxInfo& box, int id) {
  HWND button = GetDlgItem(box.hwnd, id);
  if (button) Click(button);
}

RgbImage Capture(HWND h) {
  RECT rc;
  GetWindowRect(h, &rc);
  RgbImage image;
  image.width = rc.right - rc.left;
  image.height = rc.bottom - rc.top;
  if (image.width <= 0 || image.height <= 0) return RgbImage();
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, image.width, image.height, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
  const auto* src = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i) {
    image.pixels[3 * i] = src[4 * i + 2];
    image.pixels[3 * i + 1] = src[4 * i + 1];
    image.pixels[3 * i + 2] = src[4 * i];
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return image;
}

bool SaveScreenshot(HWND h, const std::string& name) {
  RgbImage shot = Capture(h);
  if (shot.pixels.empty()) return false;
  std::string folder = TestProgramFolder() + "\\screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(shot.width);
  image.height = static_cast<png_uint_32>(shot.height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, (folder + "\\" + name + ".png").c_str(), 0,
                                 shot.pixels.data(), 0, nullptr) != 0;
}

}  // namespace gui
