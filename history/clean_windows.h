// The two history run windows: they clear the ticked stores inside their first activation, on
// the user-interface thread, refuse every close request and report the end.
#pragma once

#include <functional>
#include <string>

#include "common/window.h"

class HistoryRunWindow : public ModalWindow {
 public:
  bool Create(HWND owner) override;

 protected:
  HistoryRunWindow(const char* caption, int icon, const char* doneText, std::function<void()> work);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCloseRequest() override {}  // refused: the run cannot be cut short
  bool HoldsOffRuns() const override { return true; }
  void OnFirstActivated() override;

 private:
  const char* caption_;
  int icon_;
  const char* doneText_;
  std::function<void()> work_;
};

// "清理系统历史记录": the ticked history kinds, 0 to 9 in ascending order.
class HistoryCleanWindow : public HistoryRunWindow {
 public:
  HistoryCleanWindow();
};

// "清理常用软件的历史记录": the media player's and the archiver's recent-file lists.
class SoftwareCleanWindow : public HistoryRunWindow {
 public:
  SoftwareCleanWindow();
};
