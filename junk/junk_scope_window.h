// JunkScopeWindow: where the junk cleaner looks and which file names count as junk.
#pragma once

#include <array>

#include "common/window.h"

class JunkScopeWindow : public ModalWindow {
 public:
  static constexpr char kCaption[] = "垃圾文件清理设定";
  bool Create(HWND owner) override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // A junk run beside this window would read the scope while the window rebuilds it.
  bool HoldsOffRuns() const override { return true; }

 private:
  void ShowPage(int page);
  void Fill();
  void Accept();

  HWND tabs_ = nullptr;        // 选择夹1
  HWND locations_ = nullptr;   // 选择列表框1
  HWND patterns_ = nullptr;    // 选择列表框2
  std::array<HWND, 3> locationButtons_{};  // 按钮3, 按钮4, 按钮5
  std::array<HWND, 4> patternButtons_{};   // 按钮6, 按钮7, 按钮8, 按钮9
};
