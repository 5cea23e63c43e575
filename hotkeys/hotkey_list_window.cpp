// The hotkey list window. Its texts are fixed: it lists all six combinations whether or not each
// was registered.
#include "hotkeys/hotkey_list_window.h"

#include "app/app.h"
#include "common/controls.h"

namespace {

enum { kGroup = 100, kLabel1 = 101, kClose = 200 };

// Row 0 is the group box that holds the labels.
const ControlSpec kLayout[] = {
    {"分组框1", ControlKind::GroupBox, -1, 8, 8, 346, 256, "快捷键：", kGroup},
    {"标签1", ControlKind::Label, 0, 34, 27, 104, 24, "显示窗口：", kLabel1 + 0},
    {"标签5", ControlKind::Label, 0, 110, 27, 212, 24, "Ctrl + Alt + Shift + 1", kLabel1 + 4},
    {"标签2", ControlKind::Label, 0, 34, 62, 104, 24, "一键全清：", kLabel1 + 1},
    {"标签6", ControlKind::Label, 0, 110, 63, 212, 24, "Ctrl + Alt + Shift + 2", kLabel1 + 5},
    {"标签4", ControlKind::Label, 0, 34, 100, 104, 24, "清理垃圾：", kLabel1 + 3},
    {"标签7", ControlKind::Label, 0, 110, 100, 212, 24, "Ctrl + Alt + Shift + 3", kLabel1 + 6},
    {"标签3", ControlKind::Label, 0, 35, 138, 104, 24, "清理历史：", kLabel1 + 2},
    {"标签8", ControlKind::Label, 0, 111, 138, 212, 24, "Ctrl + Alt + Shift + 4", kLabel1 + 7},
    {"标签9", ControlKind::Label, 0, 36, 177, 104, 24, "清理软件：", kLabel1 + 8},
    {"标签10", ControlKind::Label, 0, 112, 177, 212, 24, "Ctrl + Alt + Shift + 5", kLabel1 + 9},
    {"标签11", ControlKind::Label, 0, 36, 216, 104, 24, "退出软件：", kLabel1 + 10},
    {"标签12", ControlKind::Label, 0, 112, 216, 212, 24, "Ctrl + Alt + Shift + 6", kLabel1 + 11},
    {"按钮1", ControlKind::Button, -1, 264, 272, 80, 32, "关闭", kClose, BS_DEFPUSHBUTTON},
};

}  // namespace

bool HotkeyListWindow::Create(HWND owner) {
  if (!CreateTopLevel(kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 372, 339, owner)) return false;
  CreateControls(hwnd(), kLayout);
  CenterOver(owner);
  return true;
}

LRESULT HotkeyListWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kClose || LOWORD(wp) == IDOK) {
        MainButtonLock(false);
        Close();
        return 0;
      }
      break;
    case WM_DESTROY:  // also the close box and Esc
      MainButtonLock(false);
      return 0;
    default:
      break;
  }
  return ModalWindow::OnMessage(msg, wp, lp);
}
