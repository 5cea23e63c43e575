// A plain child window with a note and a close button.
#include "app/pending_window.h"

#include "app/app.h"
#include "app/shared_state.h"
#include "common/controls.h"

namespace {
enum { kNote = 100, kClose = 101 };
const ControlSpec kLayout[] = {
    {"标签1", ControlKind::Label, -1, 16, 20, 300, 40, "该功能将在后续版本中提供。", kNote},
    {"按钮1", ControlKind::Button, -1, 236, 72, 80, 28, "关闭", kClose, BS_DEFPUSHBUTTON},
};
}  // namespace

PendingWindow::PendingWindow(const char* caption, bool isRunWindow)
    : caption_(caption), isRunWindow_(isRunWindow) {}

bool PendingWindow::Create(HWND owner) {
  if (!CreateTopLevel(caption_.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 340, 150, owner)) {
    return false;
  }
  CreateControls(hwnd(), kLayout);
  CenterOver(owner);
  return true;
}

void PendingWindow::OnFirstActivated() {
  if (isRunWindow_ && SharedStateExists() && Shared().cleanAllFlag == 1) {
    MainButtonLock(false);
    Close();
  }
}

LRESULT PendingWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kClose || LOWORD(wp) == IDOK) {
        Close();
        return 0;
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
