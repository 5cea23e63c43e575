// The history run windows.
#include "history/clean_windows.h"

#include "app/app.h"
#include "app/resource_ids.h"
#include "app/shared_state.h"
#include "cleanops/history_store.h"
#include "common/controls.h"

namespace {

enum { kPicture = 100, kText };
const ControlSpec kLayout[] = {
    {"图片框1", ControlKind::Label, -1, 8, 21, 64, 64, "", kPicture, SS_ICON | SS_REALSIZEIMAGE},
    {"标签2", ControlKind::Label, -1, 80, 32, 319, 40, "正在清理历史记录，请稍后...", kText},
};

void ClearTickedHistory() {
  const HistoryScope flags = Shared().historyScope;
  for (int32_t kind = 0; kind < kHistoryKindCount; ++kind) {
    if (FlagOn(flags[kind])) ClearHistoryStore(kind);
  }
}

void ClearTickedSoftware() {
  const SoftwareScope flags = Shared().softwareScope;
  if (FlagOn(flags[0])) {
    DeleteRegistryItem(3, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
    DeleteRegistryItem(3, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList");
  }
  if (FlagOn(flags[1])) {
    DeleteRegistryItem(3, "Software\\WinRAR\\ArcHistory");
    DeleteRegistryItem(3, "Software\\WinRAR\\DialogEditHistory");
  }
}

}  // namespace

HistoryRunWindow::HistoryRunWindow(const char* caption, int icon, const char* doneText, std::function<void()> work)
    : caption_(caption), icon_(icon), doneText_(doneText), work_(std::move(work)) {}

bool HistoryRunWindow::Create(HWND owner) {
  if (!CreateTopLevel(caption_, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 418, 138, owner)) return false;
  std::vector<HWND> made = CreateControls(hwnd(), kLayout);
  auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon_), IMAGE_ICON, 64, 64, LR_DEFAULTCOLOR));
  SendMessageA(made[0], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  CenterOver(owner);
  return true;
}

void HistoryRunWindow::OnFirstActivated() {
  // The window has painted its texts by now: the first activation is handled after the show.
  work_();
  if (Shared().cleanAllFlag != 1) ShowMessage(doneText_, "完成", MB_OK | MB_ICONINFORMATION);
  MainButtonLock(false);
  Close();
}

LRESULT HistoryRunWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    MainButtonLock(false);
    return 0;
  }
  return ModalWindow::OnMessage(msg, wp, lp);
}

HistoryCleanWindow::HistoryCleanWindow()
    : HistoryRunWindow("清理系统历史记录", IDI_BIGBUTTON_FIRST + 3, "系统历史记录清理完成！", ClearTickedHistory) {}

SoftwareCleanWindow::SoftwareCleanWindow()
    : HistoryRunWindow("清理常用软件的历史记录", IDI_BIGBUTTON_FIRST + 5, "成功完成历史记录的清理！",
                       ClearTickedSoftware) {}
