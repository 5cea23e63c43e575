// Control creation from layout tables, big buttons and the picture box.
#include "common/controls.h"

#include <commctrl.h>

namespace {

constexpr char kPictureClass[] = "SyscleanPicture";
constexpr char kIconProp[] = "SyscleanIconSize";

// Controls placed inside a group box or a tab control send their notifications to that parent;
// the window that owns the layout handles them, so the parent hands them on.
LRESULT CALLBACK ForwardToTopLevel(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR) noexcept {
  switch (msg) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    case WM_ERASEBKGND: {  // a group box paints no background of its own
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    default:
      return DefSubclassProc(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONUP:
      SendMessageA(GetAncestor(hwnd, GA_ROOT), WM_COMMAND,
                   MAKEWPARAM(GetDlgCtrlID(hwnd), kPictureClicked), reinterpret_cast<LPARAM>(hwnd));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, 0));
      if (bitmap) {
        BITMAP bm;
        GetObjectA(bitmap, sizeof bm, &bm);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bitmap);
        BitBlt(dc, (rc.right - bm.bmWidth) / 2, (rc.bottom - bm.bmHeight) / 2, bm.bmWidth,
               bm.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

constexpr int kCheckItemHeight = 18;

LRESULT CALLBACK CheckListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) noexcept {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lp);
      int index = LOWORD(hit);
      LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
      if (!HIWORD(hit) && index < CheckListCount(hwnd)) CheckListSetChecked(hwnd, index, !CheckListIsChecked(hwnd, index));
      return result;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        int index = static_cast<int>(SendMessageA(hwnd, LB_GETCARETINDEX, 0, 0));
        if (index >= 0 && index < CheckListCount(hwnd)) CheckListSetChecked(hwnd, index, !CheckListIsChecked(hwnd, index));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == ' ') return 0;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void RegisterPictureClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PictureProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_HAND);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPictureClass;
  done = RegisterClassExA(&wc) != 0;
}

struct ClassAndStyle {
  const char* cls;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
      return {WC_BUTTONA, BS_GROUPBOX | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::BigButton:
      return {WC_BUTTONA, BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::Button:
      return {WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::Label:
      return {WC_STATICA, SS_LEFT, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::ListBox:
      return {WC_LISTBOXA, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case ControlKind::CheckList:
      return {WC_LISTBOXA, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case ControlKind::Tabs:
      return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::Picture:
      return {kPictureClass, 0, 0};
  }
  return {WC_STATICA, 0, 0};
}

}  // namespace

HFONT DialogFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

std::vector<HWND> CreateControls(HWND window, const ControlSpec* specs, size_t count) {
  RegisterPictureClass();
  std::vector<HWND> made(count, nullptr);
  for (size_t i = 0; i < count; ++i) {
    const ControlSpec& s = specs[i];
    HWND parent = s.parent < 0 ? window : made[s.parent];
    ClassAndStyle cs = StyleOf(s.kind);
    HWND h = CreateWindowExA(cs.exStyle, cs.cls, s.caption ? s.caption : "",
                             WS_CHILD | WS_VISIBLE | cs.style | s.extraStyle, s.x, s.y, s.width,
                             s.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) continue;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    if (s.kind == ControlKind::GroupBox || s.kind == ControlKind::Tabs) {
      SetWindowSubclass(h, ForwardToTopLevel, 1, 0);
    }
    if (s.kind == ControlKind::CheckList) {
      SetWindowSubclass(h, CheckListProc, 1, 0);
      SendMessageA(h, LB_SETITEMHEIGHT, 0, kCheckItemHeight);
    }
    made[i] = h;
  }
  // A control laid over a group box of the same parent must stay above it.
  for (size_t i = 0; i < count; ++i) {
    if (made[i] && specs[i].kind != ControlKind::GroupBox) {
      SetWindowPos(made[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return made;
}

void SetBigButtonIcon(HWND button, int iconResource, int iconSize) {
  auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResource),
                                            IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR));
  SetPropA(button, kIconProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(iconSize)));
  // Kept by the button for the drawing; BM_GETIMAGE answers it.
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void DrawBigButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  bool pushed = (item.itemState & ODS_SELECTED) != 0;
  bool disabled = (item.itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  int shift = pushed ? 1 : 0;

  auto icon = reinterpret_cast<HICON>(SendMessageA(item.hwndItem, BM_GETIMAGE, IMAGE_ICON, 0));
  int size = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(item.hwndItem, kIconProp)));
  int width = rc.right - rc.left, height = rc.bottom - rc.top;
  // Large buttons: icon at the top, caption below. The small buttons' icons leave their lower
  // band free for the caption.
  bool small = size < 64;
  int iconX = rc.left + (width - size) / 2 + shift;
  int iconY = rc.top + (small ? 2 : 8) + shift;
  if (icon) {
    if (disabled) {
      DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, iconX, iconY, size, size,
                 DST_ICON | DSS_DISABLED);
    } else {
      DrawIconEx(dc, iconX, iconY, icon, size, size, 0, nullptr, DI_NORMAL);
    }
  }
  char caption[64];
  GetWindowTextA(item.hwndItem, caption, sizeof caption);
  RECT text = {rc.left + 2 + shift, rc.top + (small ? height - 18 : size + 12) + shift,
               rc.right - 2 + shift, rc.bottom - 3 + shift};
  HGDIOBJ oldFont = SelectObject(dc, DialogFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextA(dc, caption, -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rc;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

void SetPicture(HWND picture, HBITMAP bitmap) {
  SetWindowLongPtrA(picture, 0, reinterpret_cast<LONG_PTR>(bitmap));
  InvalidateRect(picture, nullptr, TRUE);
}

std::string GetText(HWND h) {
  int n = GetWindowTextLengthA(h);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(h, text.data(), n + 1);
  text.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return text;
}

int CheckListAdd(HWND list, const std::string& text, bool checked) {
  int index = static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (index >= 0) SendMessageA(list, LB_SETITEMDATA, index, checked ? 1 : 0);
  return index;
}

int CheckListCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

bool CheckListIsChecked(HWND list, int index) { return SendMessageA(list, LB_GETITEMDATA, index, 0) == 1; }

void CheckListSetChecked(HWND list, int index, bool checked) {
  SendMessageA(list, LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT rc;
  if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc)) != LB_ERR) {
    InvalidateRect(list, &rc, FALSE);
  }
}

std::string CheckListText(HWND list, int index) {
  LRESULT n = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (n == LB_ERR) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
  return text;
}

namespace {

void DrawCheckListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT box = {rc.left + 2, rc.top + 2, rc.left + 2 + (rc.bottom - rc.top - 4), rc.bottom - 2};
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (item.itemData == 1 ? DFCS_CHECKED : 0));
  std::string text = CheckListText(item.hwndItem, static_cast<int>(item.itemID));
  RECT textRc = {box.right + 4, rc.top, rc.right, rc.bottom};
  HGDIOBJ oldFont = SelectObject(dc, DialogFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(dc, text.c_str(), -1, &textRc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace

void DrawOwnerDrawn(const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_BUTTON) {
    DrawBigButton(item);
  } else if (item.CtlType == ODT_LISTBOX) {
    DrawCheckListItem(item);
  }
}
