// The history scope windows.
#include "history/scope_windows.h"

#include "app/app.h"
#include "app/resource_ids.h"
#include "app/shared_state.h"
#include "settings/settings.h"

namespace {

enum { kGroup = 100, kHint, kPicture, kAccept, kCancel, kBox1 = 200 };

// Row 0 is the group box that holds the check boxes.
const ControlSpec kHistoryLayout[] = {
    {"分组框1", ControlKind::GroupBox, -1, 8, 8, 369, 153, "", kGroup},
    {"选择框1", ControlKind::CheckBox, 0, 10, 10, 133, 24, "浏览器历史地址记录", kBox1 + 0},
    {"选择框2", ControlKind::CheckBox, 0, 10, 37, 149, 24, "表单自动完成历史记录", kBox1 + 1},
    {"选择框3", ControlKind::CheckBox, 0, 10, 64, 133, 24, "自动密码历史记录", kBox1 + 2},
    {"选择框4", ControlKind::CheckBox, 0, 10, 91, 117, 24, "收藏夹的内容", kBox1 + 3},
    {"选择框5", ControlKind::CheckBox, 0, 10, 121, 125, 24, "自动拨号历史记录", kBox1 + 4},
    {"选择框6", ControlKind::CheckBox, 0, 199, 10, 168, 24, "运行中的自动匹配历史记录", kBox1 + 5},
    {"选择框7", ControlKind::CheckBox, 0, 199, 37, 136, 24, "打开文档历史记录", kBox1 + 6},
    {"选择框8", ControlKind::CheckBox, 0, 199, 64, 128, 24, "网络连接历史记录", kBox1 + 7},
    {"选择框9", ControlKind::CheckBox, 0, 199, 91, 144, 24, "远程登录历史记录", kBox1 + 8},
    {"选择框10", ControlKind::CheckBox, 0, 199, 121, 128, 24, "浏览网址历史记录", kBox1 + 9},
    {"图片框1", ControlKind::Label, -1, 11, 175, 24, 24, "", kPicture, SS_ICON | SS_CENTERIMAGE},
    {"标签1", ControlKind::Label, -1, 41, 177, 168, 24, "请根据自己的需要合理的选择。", kHint},
    {"按钮1", ControlKind::Button, -1, 209, 176, 80, 32, "确定", kAccept, BS_DEFPUSHBUTTON},
    {"按钮2", ControlKind::Button, -1, 297, 176, 80, 32, "取消", kCancel},
};

const ControlSpec kSoftwareLayout[] = {
    {"分组框1", ControlKind::GroupBox, -1, 8, 8, 360, 168, "", kGroup},
    {"选择框1", ControlKind::CheckBox, 0, 16, 24, 232, 24, "清理Windows Media Player播放历史", kBox1 + 0},
    {"选择框2", ControlKind::CheckBox, 0, 16, 61, 232, 24, "清理WinRAR文件打开历史", kBox1 + 1},
    {"按钮1", ControlKind::Button, -1, 170, 184, 88, 32, "确定", kAccept, BS_DEFPUSHBUTTON},
    {"按钮2", ControlKind::Button, -1, 272, 184, 88, 32, "取消", kCancel},
};

}  // namespace

FlagScopeWindow::FlagScopeWindow(const char* caption, int width, int height, const ControlSpec* layout, size_t count)
    : caption_(caption), width_(width), height_(height), layout_(layout), count_(count) {}

bool FlagScopeWindow::Create(HWND owner) {
  if (!CreateTopLevel(caption_, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, width_, height_, owner)) return false;
  std::vector<HWND> made = CreateControls(hwnd(), layout_, count_);
  for (size_t i = 0; i < count_; ++i) {
    if (layout_[i].kind == ControlKind::CheckBox) boxes_.push_back(made[i]);
    if (layout_[i].id == kPicture) {
      auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BIGBUTTON_FIRST + 2),
                                                IMAGE_ICON, 24, 24, LR_DEFAULTCOLOR));
      SendMessageA(made[i], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
  }
  std::vector<int32_t> flags = Flags();
  for (size_t i = 0; i < boxes_.size() && i < flags.size(); ++i) SetChecked(boxes_[i], FlagOn(flags[i]));
  CenterOver(owner);
  return true;
}

LRESULT FlagScopeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == kAccept || LOWORD(wp) == IDOK) {
        std::vector<bool> ticked;
        for (HWND box : boxes_) ticked.push_back(IsChecked(box));
        Accept(ticked);
        MainButtonLock(false);
        Close();
        return 0;
      }
      if (LOWORD(wp) == kCancel) {
        MainButtonLock(false);
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

HistoryScopeWindow::HistoryScopeWindow()
    : FlagScopeWindow("设定历史记录清理范围", 392, 247, kHistoryLayout, std::size(kHistoryLayout)) {}

std::vector<int32_t> HistoryScopeWindow::Flags() const {
  const HistoryScope& flags = Shared().historyScope;
  return std::vector<int32_t>(flags.begin(), flags.end());
}

void HistoryScopeWindow::Accept(const std::vector<bool>& ticked) {
  for (int k = 0; k < kHistoryKindCount; ++k) Shared().historyScope[k] = ticked[k] ? 1 : 0;
  WriteHistorySettings();
}

SoftwareScopeWindow::SoftwareScopeWindow()
    : FlagScopeWindow("清理常用软件的历史记录", 380, 250, kSoftwareLayout, std::size(kSoftwareLayout)) {}

std::vector<int32_t> SoftwareScopeWindow::Flags() const {
  const SoftwareScope& flags = Shared().softwareScope;
  return std::vector<int32_t>(flags.begin(), flags.end());
}

void SoftwareScopeWindow::Accept(const std::vector<bool>& ticked) {
  Shared().softwareScope[0] = ticked[0] ? 1 : 0;
  Shared().softwareScope[1] = ticked[1] ? 1 : 0;
  WriteSoftwareSettings();
}
