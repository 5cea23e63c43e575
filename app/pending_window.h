// Stands in for a child window whose own module is not in this build yet, with the caption and
// the behaviour the main window relies on: it releases the main window's buttons on every way
// out, and as a run window inside the clean-all sequence it closes itself at once.
#pragma once

#include <string>

#include "common/window.h"

class PendingWindow : public ModalWindow {
 public:
  PendingWindow(const char* caption, bool isRunWindow);
  bool Create(HWND owner) override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFirstActivated() override;

 private:
  std::string caption_;
  bool isRunWindow_;
};
