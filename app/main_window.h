// The main window: ten big buttons, the hidden hotkey label and the rotating banner.
#pragma once

#include <array>

#include "common/scoped.h"
#include "common/window.h"

class MainWindow : public Window {
 public:
  static constexpr char kCaption[] = "Quorvel PC Cleaner     by Quorvel Software Lab";
  static constexpr UINT_PTR kBannerTimer = 1;  // 时钟1
  static constexpr UINT kBannerPeriodMs = 3000;

  bool Create();

  void LockButtons(bool locked);
  void RunHandler(int number);
  HWND HotkeyLabel() const { return hotkeyLabel_; }
  int BannerIndex() const { return bannerIndex_; }
  // Puts `picture` into the banner; an empty one (a picture that could not be decoded) leaves the
  // banner showing what it showed.
  void ShowBannerPicture(UniqueBitmap picture);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnCreated();
  void OnWillBeDestroyed();
  void BannerTick();
  void BannerClicked();
  void CleanAll();

  std::array<HWND, 10> buttons_{};  // 超级按钮1 ... 超级按钮10
  HWND hotkeyLabel_ = nullptr;      // 标签1
  HWND picture_ = nullptr;          // 图片框1
  int bannerIndex_ = 0;             // 0: nothing shown yet; 1..4: the picture shown
  UniqueBitmap bannerBitmap_;
};
