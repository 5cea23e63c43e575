// The junk run window.
#include "junk/junk_clean_window.h"

#include "app/app.h"
#include "app/resource_ids.h"
#include "app/shared_state.h"
#include "common/controls.h"
#include "junk/junk_patterns.h"
#include "junk/junk_text.h"

namespace {

enum { kIcon = 100, kFixed, kTotals, kStop, kCurrent };
constexpr UINT_PTR kFinishTimer = 1;   // 时钟1: notices the end of the run
constexpr UINT_PTR kLabelTimer = 2;    // repaints the live texts at screen rate
constexpr UINT kLabelPeriodMs = 50;

const ControlSpec kLayout[] = {
    {"图片框1", ControlKind::Label, -1, 33, 45, 64, 64, "", kIcon, SS_ICON | SS_REALSIZEIMAGE},
    {"标签2", ControlKind::Label, -1, 112, 32, 360, 40, "正在清理垃圾文件，请稍后...", kFixed},
    {"标签3", ControlKind::Label, -1, 110, 74, 360, 40, "已清除 XXXX 个垃圾文件，大小：XXX MB", kTotals},
    {"按钮1", ControlKind::Button, -1, 104, 128, 368, 32, "立即停止！", kStop, BS_DEFPUSHBUTTON},
    {"标签1", ControlKind::Label, -1, 2, 170, 492, 24, "正在分析：...", kCurrent, SS_PATHELLIPSIS},
};

}  // namespace

bool JunkCleanWindow::Create(HWND owner) {
  if (!CreateTopLevel(kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 503, 223, owner)) return false;
  std::vector<HWND> made = CreateControls(hwnd(), kLayout);
  auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BIGBUTTON_FIRST),
                                            IMAGE_ICON, 64, 64, LR_DEFAULTCOLOR));
  SendMessageA(made[0], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  totals_ = made[2];
  current_ = made[4];
  CenterOver(owner);

  state_->stopRequested = 0;
  state_->workerDone = 0;
  SetTimer(hwnd(), kFinishTimer, 1000, nullptr);
  SetTimer(hwnd(), kLabelTimer, kLabelPeriodMs, nullptr);
  TryStart();
  return true;
}

void JunkCleanWindow::TryStart() {
  if (started_) return;
  // The scope's folders hold their backslash from this run on.
  JunkScope& scope = Shared().junkScope;
  if (!scope.locations.empty() && !scope.patterns.empty()) {
    for (std::string& location : scope.locations) {
      if (SpecialLocationKind(location) < 0 && (location.empty() || location.back() != '\\')) location += '\\';
    }
  }
  // A worker of an earlier, stopped run may still be finishing; this run waits for it.
  started_ = StartJunkWorker(state_, scope);
  if (started_) SetText(totals_, ProgressText(0, 0));
}

void JunkCleanWindow::RefreshLabels() {
  if (!started_) return;
  std::string current;
  if (state_->TakeCurrent(current)) SetText(current_, current);
  std::string totals = ProgressText(state_->filesFound.load(), state_->totalKB.load());
  if (GetText(totals_) != totals) SetText(totals_, totals);
}

void JunkCleanWindow::Finish() {
  KillTimer(hwnd(), kFinishTimer);
  KillTimer(hwnd(), kLabelTimer);
  RefreshLabels();
  if (Shared().cleanAllFlag != 1) {
    ShowMessage(ResultText(state_->filesFound.load(), state_->totalKB.load()).c_str(), "清理结果",
                MB_OK | MB_ICONINFORMATION);
  }
  MainButtonLock(false);
  Close();
}

LRESULT JunkCleanWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kLabelTimer) {
        TryStart();
        RefreshLabels();
      } else if (wp == kFinishTimer && started_ && state_->workerDone.load() == 1) {
        Finish();
      }
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == kStop || LOWORD(wp) == IDOK) {
        // The worker sees the stop at its next check and ends on its own; it holds its own
        // reference to the run's state and never touches this window.
        state_->stopRequested = 1;
        MainButtonLock(false);
        Close();
        return 0;
      }
      break;
    case WM_DESTROY:
      KillTimer(hwnd(), kFinishTimer);
      KillTimer(hwnd(), kLabelTimer);
      if (!started_) state_->stopRequested = 1;
      MainButtonLock(false);
      return 0;
    default:
      break;
  }
  return ModalWindow::OnMessage(msg, wp, lp);
}
