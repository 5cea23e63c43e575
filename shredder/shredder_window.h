// ShredderWindow: a list of files to destroy, filled one file at a time or a folder tree at once,
// and the shred run that passes each one to Sweepgate's Cleaner_DelFile.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/window.h"

class ShredderWindow : public ModalWindow {
 public:
  static constexpr char kCaption[] = "粉碎文件防止恢复";
  bool Create(HWND owner) override;

  // The list's entries, in order.
  std::vector<std::string> Entries() const;
  // Appends the files of `folder` (ending in a backslash) and its sub-folders, as "添加文件夹".
  void AddFolder(const std::string& folder);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCloseRequest() override;
  bool HoldsOffRuns() const override { return running_; }

 private:
  void AddFile();
  void ChooseFolder();
  void DeleteSelected();
  void ClearList();
  void Shred();
  void ReplaceEntry(int index, const std::string& text);
  void EnableCommands(bool enabled);
  void FitHorizontalExtent(const std::string& longest);

  HWND list_ = nullptr;                // 列表框1
  std::vector<HWND> commands_;         // 按钮1 ... 按钮5
  char lastFile_[MAX_PATH] = {};       // the file dialog's last choice
  bool running_ = false;
  bool closeRequested_ = false;
  int extent_ = 0;
};
