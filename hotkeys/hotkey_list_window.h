// HotkeyListWindow: the six global hotkeys and what each does.
#pragma once

#include "common/window.h"

class HotkeyListWindow : public ModalWindow {
 public:
  static constexpr char kCaption[] = "快捷键列表";
  bool Create(HWND owner) override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};
