// The junk scope window.
#include "junk/junk_scope_window.h"

#include <commctrl.h>

#include "app/app.h"
#include "app/shared_state.h"
#include "cleanops/temp_store.h"
#include "common/controls.h"
#include "junk/junk_patterns.h"
#include "settings/settings.h"

namespace {

enum {
  kTabs = 100, kLocations, kPatterns,
  kAllLocations, kNoLocations, kInvertLocations,          // 按钮3, 按钮4, 按钮5
  kAllPatterns, kNoPatterns, kInvertPatterns, kRecommend,  // 按钮6 ... 按钮9
  kAccept, kCancel,                                       // 按钮2, 按钮1
};

// Row 0 is the tab control; the rows that name it as parent lie on its pages.
const ControlSpec kLayout[] = {
    {"选择夹1", ControlKind::Tabs, -1, 8, 8, 392, 304, "", kTabs},
    {"选择列表框1", ControlKind::CheckList, 0, 7, 31, 312, 260, "", kLocations},
    {"按钮3", ControlKind::Button, 0, 328, 38, 56, 24, "全选", kAllLocations},
    {"按钮4", ControlKind::Button, 0, 328, 88, 56, 24, "全否", kNoLocations},
    {"按钮5", ControlKind::Button, 0, 328, 138, 56, 24, "反选", kInvertLocations},
    {"选择列表框2", ControlKind::CheckList, 0, 7, 31, 313, 260, "", kPatterns},
    {"按钮6", ControlKind::Button, 0, 328, 38, 56, 24, "全选", kAllPatterns},
    {"按钮7", ControlKind::Button, 0, 328, 88, 56, 24, "全否", kNoPatterns},
    {"按钮8", ControlKind::Button, 0, 328, 138, 56, 24, "反选", kInvertPatterns},
    {"按钮9", ControlKind::Button, 0, 327, 259, 56, 24, "推荐", kRecommend},
    {"按钮2", ControlKind::Button, -1, 184, 320, 96, 32, "确定", kAccept, BS_DEFPUSHBUTTON},
    {"按钮1", ControlKind::Button, -1, 297, 320, 96, 32, "取消", kCancel},
};

enum class Change { kAll, kNone, kInvert };

void ChangeAll(HWND list, Change change) {
  for (int i = 0, n = CheckListCount(list); i < n; ++i) {
    bool on = change == Change::kAll || (change == Change::kInvert && !CheckListIsChecked(list, i));
    CheckListSetChecked(list, i, on);
  }
}

std::vector<ScopeEntry> Entries(HWND list) {
  std::vector<ScopeEntry> entries;
  for (int i = 0, n = CheckListCount(list); i < n; ++i) {
    entries.push_back({CheckListText(list, i), CheckListIsChecked(list, i)});
  }
  return entries;
}

std::vector<std::string> Checked(const std::vector<ScopeEntry>& entries) {
  std::vector<std::string> texts;
  for (const ScopeEntry& e : entries) {
    if (e.ticked) texts.push_back(e.text);
  }
  return texts;
}

// Ticks every item whose text equals an entry, byte for byte.
void Tick(HWND list, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    for (int i = 0, n = CheckListCount(list); i < n; ++i) {
      if (CheckListText(list, i) == entry) CheckListSetChecked(list, i, true);
    }
  }
}

}  // namespace

bool JunkScopeWindow::Create(HWND owner) {
  if (!CreateTopLevel(kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 416, 388, owner)) return false;
  std::vector<HWND> made = CreateControls(hwnd(), kLayout);
  tabs_ = made[0];
  locations_ = made[1];
  patterns_ = made[5];
  locationButtons_ = {made[2], made[3], made[4]};
  patternButtons_ = {made[6], made[7], made[8], made[9]};
  TCITEMA tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<char*>("清理范围");
  SendMessageA(tabs_, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
  tab.pszText = const_cast<char*>("清理类型");
  SendMessageA(tabs_, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&tab));
  Fill();
  ShowPage(0);
  CenterOver(owner);
  return true;
}

void JunkScopeWindow::Fill() {
  SendMessageA(locations_, LB_RESETCONTENT, 0, 0);
  for (std::string drive : DriveList(1)) {
    if (drive.empty() || drive.back() != '\\') drive += '\\';
    CheckListAdd(locations_, drive);
  }
  for (const char* special : kSpecialLocations) CheckListAdd(locations_, special);
  for (const JunkPattern& p : kJunkPatterns) CheckListAdd(patterns_, p.text);
  Tick(locations_, Shared().junkScope.locations);
  Tick(patterns_, Shared().junkScope.patterns);
}

void JunkScopeWindow::ShowPage(int page) {
  ShowWindow(locations_, page == 0 ? SW_SHOW : SW_HIDE);
  for (HWND b : locationButtons_) ShowWindow(b, page == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(patterns_, page == 1 ? SW_SHOW : SW_HIDE);
  for (HWND b : patternButtons_) ShowWindow(b, page == 1 ? SW_SHOW : SW_HIDE);
}

void JunkScopeWindow::Accept() {
  std::vector<ScopeEntry> locations = Entries(locations_);
  std::vector<ScopeEntry> patterns = Entries(patterns_);
  WriteJunkSettings(locations, patterns);
  Shared().junkScope.locations = Checked(locations);
  Shared().junkScope.patterns = Checked(patterns);
  Close();
}

LRESULT JunkScopeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DRAWITEM:
      DrawOwnerDrawn(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kAllLocations: ChangeAll(locations_, Change::kAll); return 0;
        case kNoLocations: ChangeAll(locations_, Change::kNone); return 0;
        case kInvertLocations: ChangeAll(locations_, Change::kInvert); return 0;
        case kAllPatterns: ChangeAll(patterns_, Change::kAll); return 0;
        case kNoPatterns: ChangeAll(patterns_, Change::kNone); return 0;
        case kInvertPatterns: ChangeAll(patterns_, Change::kInvert); return 0;
        case kRecommend:
          for (size_t i = 0; i < kJunkPatternCount; ++i) {
            if (kJunkPatterns[i].recommended != Recommended::kKeep) {
              CheckListSetChecked(patterns_, static_cast<int>(i), kJunkPatterns[i].recommended == Recommended::kOn);
            }
          }
          return 0;
        case kAccept:
        case IDOK:
          Accept();
          return 0;
        case kCancel:
          Close();
          return 0;
        default:
          break;
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
