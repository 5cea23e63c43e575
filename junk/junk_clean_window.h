// JunkCleanWindow: shows a junk run's progress, stops it on request, reports its result.
#pragma once

#include <memory>

#include "common/window.h"
#include "junk/junk_run.h"

class JunkCleanWindow : public ModalWindow {
 public:
  static constexpr char kCaption[] = "清理垃圾文件";
  bool Create(HWND owner) override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCloseRequest() override {}  // the run ends only by its stop button or its end
  bool HoldsOffRuns() const override { return true; }

 private:
  void TryStart();
  void RefreshLabels();
  void Finish();

  std::shared_ptr<JunkRunState> state_ = std::make_shared<JunkRunState>();
  bool started_ = false;
  HWND current_ = nullptr;  // 标签1
  HWND totals_ = nullptr;   // 标签3
};
