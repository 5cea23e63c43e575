// The two history scope windows: check boxes filled from a scope record, saved on "确定".
#pragma once

#include <vector>

#include "common/controls.h"
#include "common/window.h"

class FlagScopeWindow : public ModalWindow {
 public:
  bool Create(HWND owner) override;

 protected:
  FlagScopeWindow(const char* caption, int width, int height, const ControlSpec* layout, size_t count);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // The scope's flags, read and written in check box order.
  virtual std::vector<int32_t> Flags() const = 0;
  virtual void Accept(const std::vector<bool>& ticked) = 0;

 private:
  const char* caption_;
  int width_, height_;
  const ControlSpec* layout_;
  size_t count_;
  std::vector<HWND> boxes_;
};

// "设定历史记录清理范围": the ten history kinds.
class HistoryScopeWindow : public FlagScopeWindow {
 public:
  HistoryScopeWindow();

 protected:
  std::vector<int32_t> Flags() const override;
  void Accept(const std::vector<bool>& ticked) override;
};

// "清理常用软件的历史记录": the media player and the archiver.
class SoftwareScopeWindow : public FlagScopeWindow {
 public:
  SoftwareScopeWindow();

 protected:
  std::vector<int32_t> Flags() const override;
  void Accept(const std::vector<bool>& ticked) override;
};
