// The shredder window. A file counts as shredded only when it is gone from its path after the
// call, whatever the library answered; one that is still there is marked as failed and stays in
// the list for another try.
#include "shredder/shredder_window.h"

#include <commdlg.h>
#include <shlobj.h>

#include "app/app.h"
#include "cleanops/file_search.h"
#include "common/controls.h"
#include "shredder/shred_marks.h"
#include "shredder/sweepgate_binding.h"

namespace {

enum { kList = 100, kAddFile = 101, kAddFolder, kDelete, kClear, kShred };

const ControlSpec kLayout[] = {
    {"列表框1", ControlKind::ListBox, -1, 7, 16, 520, 400, "", kList},
    {"按钮1", ControlKind::Button, -1, 16, 432, 72, 32, "添加文件", kAddFile},
    {"按钮2", ControlKind::Button, -1, 106, 432, 72, 32, "添加文件夹", kAddFolder},
    {"按钮3", ControlKind::Button, -1, 208, 432, 72, 32, "删除项目", kDelete},
    {"按钮4", ControlKind::Button, -1, 296, 432, 72, 32, "清空列表", kClear},
    {"按钮5", ControlKind::Button, -1, 400, 432, 128, 32, "一键粉碎！", kShred},
};

int Count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

std::string EntryText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));
  return text;
}

// Still at its path, or not known to be gone (a folder on the way that cannot be read).
bool StillThere(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool ShredderWindow::Create(HWND owner) {
  if (!CreateTopLevel(kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 540, 507, owner)) return false;
  std::vector<HWND> made = CreateControls(hwnd(), kLayout);
  list_ = made[0];
  commands_.assign(made.begin() + 1, made.end());
  CenterOver(owner);
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  SweepgateInit();  // the first call loads the library; a failure ends the program
  return true;
}

std::vector<std::string> ShredderWindow::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0, n = Count(list_); i < n; ++i) entries.push_back(EntryText(list_, i));
  return entries;
}

void ShredderWindow::FitHorizontalExtent(const std::string& longest) {
  HDC dc = GetDC(list_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32A(dc, longest.c_str(), static_cast<int>(longest.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(list_, dc);
  if (size.cx + 8 > extent_) {
    extent_ = size.cx + 8;
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, extent_, 0);
  }
}

void ShredderWindow::AddFile() {
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = "所有文件（*.*）\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = lastFile_;
  dialog.nMaxFile = sizeof lastFile_;
  dialog.lpstrTitle = "添加一个需要粉碎的文件";
  // The settings files are found by the program's folder, but the current folder stays put all
  // the same: the dialog would otherwise move it to wherever the user looked.
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&dialog)) return;
  SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lastFile_));
  FitHorizontalExtent(lastFile_);
}

namespace {
BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
  if (IsWindowEnabled(h) && reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWLP_HINSTANCE)) == GetModuleHandleA(nullptr)) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  }
  return TRUE;
}
}  // namespace

void ShredderWindow::ChooseFolder() {
  // The browser is owned by the active window; the program's other windows take no input while
  // it is open.
  HWND active = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  for (HWND h : disabled) {
    if (h != active) EnableWindow(h, FALSE);
  }
  BROWSEINFOA browse = {};
  browse.hwndOwner = active;
  browse.lpszTitle = "请选择一个目录：";
  browse.ulFlags = BIF_EDITBOX;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
  if (!chosen) return;
  char path[MAX_PATH] = {};
  BOOL named = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!named || !path[0]) return;
  std::string folder = path;
  if (folder.back() != '\\') folder += '\\';
  AddFolder(folder);
}

void ShredderWindow::AddFolder(const std::string& folder) {
  std::vector<std::string> found;
  size_t bytes = 0;
  SearchFiles(folder, "*.*", [&](const std::string& in, const std::string& name) {
    found.push_back(in + name);
    bytes += found.back().size() + 1;
  }, true);
  if (found.empty()) return;
  // Redraw off and the storage reserved: a tree of many thousand files fills the list at once.
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LB_INITSTORAGE, found.size(), bytes);
  const std::string* longest = &found.front();
  for (const std::string& path : found) {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (path.size() > longest->size()) longest = &path;
  }
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  FitHorizontalExtent(*longest);
  InvalidateRect(list_, nullptr, TRUE);
}

void ShredderWindow::DeleteSelected() {
  if (Count(list_) == 0) return;
  if (ShowMessage("确实要删除指定项目？", "删除", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) SendMessageA(list_, LB_DELETESTRING, selected, 0);
}

void ShredderWindow::ClearList() {
  if (Count(list_) == 0) return;
  if (ShowMessage("确实要清空列表？", "清空", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
}

void ShredderWindow::ReplaceEntry(int index, const std::string& text) {
  // In place: the entry keeps its position, the list its selection and scroll position.
  LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  LRESULT top = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LB_DELETESTRING, index, 0);
  SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(list_, LB_SETCURSEL, selected, 0);
  SendMessageA(list_, LB_SETTOPINDEX, top, 0);
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, FALSE);
}

void ShredderWindow::EnableCommands(bool enabled) {
  for (HWND command : commands_) Enable(command, enabled);
}

void ShredderWindow::Shred() {
  const int total = Count(list_);
  if (total == 0) return;
  running_ = true;
  EnableCommands(false);
  long long shredded = 0, failed = 0;
  bool quit = false;
  for (int p = 0; p < total; ++p) {
    if (!PumpWaitingMessages()) quit = true;
    if (quit || closeRequested_ || p >= Count(list_)) break;
    std::string entry = EntryText(list_, p);
    if (shred::IsShredded(entry)) {
      ++shredded;
      continue;
    }
    std::string path(shred::PathOf(entry));
    SweepgateDelFile(path.c_str());
    bool gone = !StillThere(path);
    (gone ? shredded : failed) += 1;
    ReplaceEntry(p, std::string(gone ? shred::kShreddedMark : shred::kFailedMark) + path);
    UpdateWindow(list_);
  }
  running_ = false;
  if (quit) return;
  if (closeRequested_) {
    Close();
    return;
  }
  EnableCommands(true);
  ShowMessage(shred::DoneText(shredded, failed).c_str(), "完成", MB_OK | MB_ICONINFORMATION);
  // The shredded entries leave the list; the failed ones stay, for the user to see and retry.
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  for (int i = Count(list_) - 1; i >= 0; --i) {
    if (shred::IsShredded(EntryText(list_, i))) SendMessageA(list_, LB_DELETESTRING, i, 0);
  }
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void ShredderWindow::OnCloseRequest() {
  if (running_) {
    closeRequested_ = true;  // the run stops after the file in hand and closes the window
    return;
  }
  Close();
}

LRESULT ShredderWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (running_) break;
      switch (LOWORD(wp)) {
        case kAddFile: AddFile(); return 0;
        case kAddFolder: ChooseFolder(); return 0;
        case kDelete: DeleteSelected(); return 0;
        case kClear: ClearList(); return 0;
        case kShred: Shred(); return 0;
        default: break;
      }
      break;
    case WM_DESTROY:
      MainButtonLock(false);
      return 0;
    default:
      break;
  }
  return ModalWindow::OnMessage(msg, wp, lp);
}
