// Controls laid out from a table, and typed helpers in place of raw messages at call sites.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class ControlKind { GroupBox, BigButton, Button, Label, CheckBox, ListBox, CheckList, Tabs, Picture };

// One row of a window's layout. Places are within the parent: the window itself when `parent`
// is -1, otherwise the control of that row (a group box or a tab control).
struct ControlSpec {
  const char* name;  // the designer's name, kept for reading the code beside the window's layout
  ControlKind kind;
  int parent;
  int x, y, width, height;
  const char* caption;
  int id;
  DWORD extraStyle = 0;
};

// Creates the controls in table order; result[i] is the control of row i.
std::vector<HWND> CreateControls(HWND window, const ControlSpec* specs, size_t count);
template <size_t N>
std::vector<HWND> CreateControls(HWND window, const ControlSpec (&specs)[N]) {
  return CreateControls(window, specs, N);
}

// The program's dialog font.
HFONT DialogFont();

// Big buttons: an icon above the caption, drawn by DrawBigButton from the parent's WM_DRAWITEM.
void SetBigButtonIcon(HWND button, int iconResource, int iconSize);
void DrawBigButton(const DRAWITEMSTRUCT& item);

// Check lists: an owner-drawn list box whose items carry their check state as item data. A click
// on an item or Space toggles it.
int CheckListAdd(HWND list, const std::string& text, bool checked = false);
int CheckListCount(HWND list);
bool CheckListIsChecked(HWND list, int index);
void CheckListSetChecked(HWND list, int index, bool checked);
std::string CheckListText(HWND list, int index);

// Draws an owner-drawn control of this module (a big button or a check list item); windows call
// it for WM_DRAWITEM.
void DrawOwnerDrawn(const DRAWITEMSTRUCT& item);

// The picture box shows one bitmap (not owned), centred, and reports a left-button release to
// its top-level window as WM_COMMAND with the code kPictureClicked.
constexpr WORD kPictureClicked = STN_CLICKED;
void SetPicture(HWND picture, HBITMAP bitmap);

inline bool IsChecked(HWND h) { return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline void SetChecked(HWND h, bool on) { SendMessageA(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
inline void Enable(HWND h, bool on) { EnableWindow(h, on ? TRUE : FALSE); }
inline void SetText(HWND h, const std::string& text) { SetWindowTextA(h, text.c_str()); }
std::string GetText(HWND h);
