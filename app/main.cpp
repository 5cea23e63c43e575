// Program start: the fixed start-up order, the message loop, and the release at the end.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>

#include "app/app.h"
#include "app/main_window.h"
#include "app/shared_state.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetCurrentDirectoryA(ProgramDirectory().c_str());
  HRESULT ole = OleInitialize(nullptr);

  CreateSharedState();
  std::atexit(ReleaseSharedState);  // also covers exit() from any other path

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);

  int exitCode = 1;
  {
    MainWindow main;
    if (main.Create()) {
      ShowWindow(main.hwnd(), SW_SHOWNORMAL);
      UpdateWindow(main.hwnd());
      exitCode = RunMessageLoop(nullptr);
    }
  }
  ReleaseSharedState();
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}
