// The main window and the handlers of its ten buttons.
#include "app/main_window.h"

#include <shellapi.h>

#include "app/app.h"
#include "app/banner.h"
#include "app/resource_ids.h"
#include "app/shared_state.h"
#include "common/controls.h"
#include "hotkeys/hotkey_list_window.h"
#include "hotkeys/hotkeys.h"
#include "history/clean_windows.h"
#include "history/scope_windows.h"
#include "junk/junk_clean_window.h"
#include "junk/junk_scope_window.h"
#include "settings/settings.h"
#include "shredder/shredder_window.h"

namespace {

enum {
  kButton1 = 1001,  // 超级按钮1 ... 超级按钮10 are 1001 ... 1010
  kGroup1 = 2001,
  kGroup2, kGroup3, kGroup4, kGroup5,
  kHotkeyLabel = 3001,
  kPicture = 4001,
};

// Rows 0..4 are the group boxes that the other rows name as parents.
const ControlSpec kLayout[] = {
    {"分组框1", ControlKind::GroupBox, -1, 8, 8, 328, 168, "系统垃圾清理：", kGroup1},
    {"分组框2", ControlKind::GroupBox, -1, 8, 181, 328, 168, "系统历史记录清理：", kGroup2},
    {"分组框3", ControlKind::GroupBox, -1, 8, 356, 328, 168, "常用软件记录清理：", kGroup3},
    {"分组框4", ControlKind::GroupBox, -1, 352, 8, 160, 512, "", kGroup4},
    {"分组框5", ControlKind::GroupBox, -1, 8, 528, 504, 176, "关注 Quorvel Software Lab 更多产品：", kGroup5},
    {"超级按钮1", ControlKind::BigButton, 0, 26, 37, 100, 100, "一键清除", kButton1 + 0},
    {"超级按钮2", ControlKind::BigButton, 0, 201, 37, 100, 100, "范围设定", kButton1 + 1},
    {"超级按钮4", ControlKind::BigButton, 1, 26, 39, 100, 100, "一键清除", kButton1 + 3},
    {"超级按钮3", ControlKind::BigButton, 1, 200, 38, 100, 100, "范围设定", kButton1 + 2},
    {"超级按钮6", ControlKind::BigButton, 2, 25, 44, 100, 100, "一键清除", kButton1 + 5},
    {"超级按钮5", ControlKind::BigButton, 2, 200, 41, 100, 100, "范围设定", kButton1 + 4},
    {"超级按钮7", ControlKind::BigButton, 3, 24, 36, 111, 100, "全部一键清理", kButton1 + 6},
    {"标签1", ControlKind::Label, 3, 32, 160, 80, 24, "快捷键反馈", kHotkeyLabel},
    {"超级按钮8", ControlKind::BigButton, -1, 362, 244, 64, 64, "快捷键列表", kButton1 + 7},
    {"超级按钮10", ControlKind::BigButton, 3, 87, 236, 64, 64, "隐藏软件", kButton1 + 9},
    {"超级按钮9", ControlKind::BigButton, -1, 383, 395, 100, 100, "文件粉碎", kButton1 + 8},
    {"图片框1", ControlKind::Picture, 4, 7, 15, 490, 150, "", kPicture},
};

MainWindow* g_main = nullptr;

// Opens a child window as the main window's handlers do: lock, then a fresh instance, modally.
template <typename W, typename... Args>
void LockAndOpen(Args&&... args) {
  MainButtonLock(true);
  W window(std::forward<Args>(args)...);
  RunModal(window);
}

}  // namespace

bool MainWindow::Create() {
  g_main = this;
  if (!CreateTopLevel(kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      527, 740, nullptr)) {
    g_main = nullptr;
    return false;
  }
  CenterOver(nullptr);
  return true;
}

void MainWindow::OnCreated() {
  std::vector<HWND> made = CreateControls(hwnd(), kLayout);
  for (size_t i = 0; i < std::size(kLayout); ++i) {
    int id = kLayout[i].id;
    if (id >= kButton1 && id < kButton1 + 10) {
      int number = id - kButton1 + 1;
      buttons_[number - 1] = made[i];
      SetBigButtonIcon(made[i], IDI_BIGBUTTON_FIRST + number - 1, (number == 8 || number == 10) ? 60 : 64);
    } else if (id == kHotkeyLabel) {
      hotkeyLabel_ = made[i];
      ShowWindow(hotkeyLabel_, SW_HIDE);
    } else if (id == kPicture) {
      picture_ = made[i];
    }
  }
  SetTimer(hwnd(), kBannerTimer, kBannerPeriodMs, nullptr);

  LoadSettings();
  RegisterAppHotkeys(hwnd());
  Shared().cleanAllFlag = 0;
  bannerIndex_ = 0;
}

void MainWindow::OnWillBeDestroyed() {
  KillTimer(hwnd(), kBannerTimer);
  UnregisterAppHotkeys(hwnd());
}

void MainWindow::LockButtons(bool locked) {
  for (HWND button : buttons_) {
    if (button) Enable(button, !locked);
  }
}

void MainWindow::BannerTick() {
  bannerIndex_ += 1;
  if (bannerIndex_ > kBannerCount) bannerIndex_ = 1;
  ShowBannerPicture(LoadBannerPicture(bannerIndex_));
}

void MainWindow::ShowBannerPicture(UniqueBitmap picture) {
  if (!picture) return;
  SetPicture(picture_, picture.get());
  bannerBitmap_ = std::move(picture);
}

void MainWindow::BannerClicked() {
  if (bannerIndex_ < 1 || bannerIndex_ > kBannerCount) return;
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  std::string page = BannerPage(ProgramDirectory(), bannerIndex_);
  ShellExecuteA(owner, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::CleanAll() {
  MainButtonLock(true);
  Shared().cleanAllFlag = 1;
  LockAndOpen<JunkCleanWindow>();
  LockAndOpen<HistoryCleanWindow>();
  LockAndOpen<SoftwareCleanWindow>();
  ShowMessage("一键清理完成！", "完成", MB_ICONINFORMATION | MB_OK);
  Shared().cleanAllFlag = 0;
  MainButtonLock(false);
}

void MainWindow::RunHandler(int number) {
  // The buttons are locked while any child window is open, so only a hotkey reaches a run
  // handler then. It never starts a run beside a run or the junk scope window: that window comes
  // to the front instead. Between the windows of the clean-all sequence nothing is started.
  if (number == 1 || number == 4 || number == 6 || number == 7) {
    if (HWND busy = WindowHoldingOffRuns()) {
      SetForegroundWindow(busy);
      return;
    }
    if (Shared().cleanAllFlag == 1) return;
  }
  switch (number) {
    case 1: LockAndOpen<JunkCleanWindow>(); break;
    case 2: LockAndOpen<JunkScopeWindow>(); break;
    case 3: LockAndOpen<HistoryScopeWindow>(); break;
    case 4: LockAndOpen<HistoryCleanWindow>(); break;
    case 5: LockAndOpen<SoftwareScopeWindow>(); break;
    case 6: LockAndOpen<SoftwareCleanWindow>(); break;
    case 7: CleanAll(); break;
    case 8: LockAndOpen<HotkeyListWindow>(); break;
    case 9: LockAndOpen<ShredderWindow>(); break;
    case 10: ShowWindow(hwnd(), SW_HIDE); break;
    default: break;
  }
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreated();
      return 0;
    case WM_DESTROY:
      OnWillBeDestroyed();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      g_main = nullptr;
      break;
    case WM_TIMER:
      if (wp == kBannerTimer) {
        BannerTick();
        return 0;
      }
      break;
    case WM_DRAWITEM:
      DrawOwnerDrawn(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wp);
      if (id >= kButton1 && id < kButton1 + 10 && HIWORD(wp) == BN_CLICKED) {
        RunHandler(id - kButton1 + 1);
        return 0;
      }
      if (id == kPicture && HIWORD(wp) == kPictureClicked) {
        BannerClicked();
        return 0;
      }
      if (id == IDOK) {  // Enter: the focused big button, as a click
        HWND focus = GetFocus();
        for (size_t i = 0; i < buttons_.size(); ++i) {
          if (buttons_[i] == focus && IsWindowEnabled(focus)) RunHandler(static_cast<int>(i) + 1);
        }
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

void MainButtonLock(bool locked) {
  if (g_main) g_main->LockButtons(locked);
}

HWND MainWindowHandle() { return g_main ? g_main->hwnd() : nullptr; }

void RunMainButtonHandler(int number) {
  if (g_main) g_main->RunHandler(number);
}
