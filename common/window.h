// Binding of C++ objects to their windows, the modal opening of child windows, and the message
// loop with dialog-style keyboard handling that every window of the program runs in.
#pragma once

#include <windows.h>

#include <vector>

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Creates a top-level window of the program's window class; the object is bound to it from
  // WM_NCCREATE on, so the creation messages already reach OnMessage.
  bool CreateTopLevel(const char* caption, DWORD style, int width, int height, HWND owner);

  // Every message of the window; the default passes it to DefWindowProcA.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Centres the window over `over`, or on the screen when `over` is null or hidden.
  void CenterOver(HWND over);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  HWND hwnd_ = nullptr;
};

// A child window that the main window opens modally (see RunModal).
class ModalWindow : public Window {
 public:
  // Creates the window (still hidden). Its own creation event runs in here.
  virtual bool Create(HWND owner) = 0;

 protected:
  // Gives back to the program's other windows the input that the modal opening took, then
  // destroys this window. Doing it in this order keeps the activation within the program.
  void Close();

  // The close box, Alt+F4 and Esc. The default closes; run windows refuse.
  virtual void OnCloseRequest() { Close(); }
  // The first time the window becomes active.
  virtual void OnFirstActivated() {}
  // True while the window does work that a run started beside it would disturb (a run window,
  // a window rewriting the scope that a run reads). Hotkeys then bring it to the front instead.
  virtual bool HoldsOffRuns() const { return false; }

  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend void RunModal(ModalWindow& window);
  friend HWND WindowHoldingOffRuns();
  void EnableOthers();
  std::vector<HWND> disabled_;
  bool activated_ = false;
};

// Opens `window` modally: disables the program's other top-level windows (shown or hidden),
// creates and shows the window, and runs a nested message loop until it has been destroyed;
// the windows it disabled are enabled again before it returns.
void RunModal(ModalWindow& window);

// The innermost open modal window that holds off runs now, or null.
HWND WindowHoldingOffRuns();

// The message loop. With `until` set it returns when that window no longer exists; otherwise
// at WM_QUIT, whose exit code it returns. A WM_QUIT met in a nested loop is posted again for the
// outer loop.
int RunMessageLoop(HWND until);

// Handles the messages that are waiting, as the message loop would, and returns. False when it
// met WM_QUIT, which it posts again for the loop.
bool PumpWaitingMessages();

// The program's own top-level windows on this thread.
std::vector<HWND> ProgramTopLevelWindows();
