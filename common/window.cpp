// Window binding, modal opening and the message loop.
#include "common/window.h"

namespace {

constexpr char kWindowClass[] = "SyscleanWindow";

ATOM RegisterWindowClass(WNDPROC proc) {
  static ATOM atom = 0;
  if (atom) return atom;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  return atom = RegisterClassExA(&wc);
}

}  // namespace

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Window::CreateTopLevel(const char* caption, DWORD style, int width, int height, HWND owner) {
  RegisterWindowClass(Proc);
  HWND h = CreateWindowExA(0, kWindowClass, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                           height, owner, nullptr, GetModuleHandleA(nullptr), this);
  return h != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

void Window::CenterOver(HWND over) {
  RECT area;
  if (over && IsWindowVisible(over) && !IsIconic(over)) {
    GetWindowRect(over, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int x = area.left + ((area.right - area.left) - w) / 2;
  int y = area.top + ((area.bottom - area.top) - h) / 2;
  SetWindowPos(hwnd_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  try {
    result = self->OnMessage(msg, wp, lp);
  } catch (...) {
    // Nothing may unwind into the system's dispatcher; the message counts as handled.
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT ModalWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) {  // Esc, through the dialog-style key handling
        OnCloseRequest();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !activated_) {
        activated_ = true;
        // The first activation comes inside ShowWindow; let the window's texts appear first.
        PostMessageA(hwnd(), WM_APP, 0, 0);
      }
      break;
    case WM_APP:
      OnFirstActivated();
      return 0;
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

void ModalWindow::EnableOthers() {
  for (HWND h : disabled_) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  disabled_.clear();
}

void ModalWindow::Close() {
  EnableOthers();
  if (hwnd()) DestroyWindow(hwnd());
}

namespace {
BOOL CALLBACK CollectProgramWindow(HWND h, LPARAM lp) {
  if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWLP_HINSTANCE)) == GetModuleHandleA(nullptr)) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  }
  return TRUE;
}
}  // namespace

std::vector<HWND> ProgramTopLevelWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectProgramWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

namespace {
std::vector<ModalWindow*> g_openModals;  // innermost last
}  // namespace

HWND WindowHoldingOffRuns() {
  for (auto it = g_openModals.rbegin(); it != g_openModals.rend(); ++it) {
    if ((*it)->hwnd() && (*it)->HoldsOffRuns()) return (*it)->hwnd();
  }
  return nullptr;
}

void RunModal(ModalWindow& window) {
  struct OpenEntry {
    explicit OpenEntry(ModalWindow* w) { g_openModals.push_back(w); }
    ~OpenEntry() { g_openModals.pop_back(); }
  } entry(&window);
  HWND active = GetActiveWindow();
  HWND owner = (active && IsWindowVisible(active)) ? active : nullptr;
  for (HWND h : ProgramTopLevelWindows()) {
    if (IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      window.disabled_.push_back(h);
    }
  }
  if (!window.Create(owner)) {
    window.EnableOthers();
    return;
  }
  HWND hwnd = window.hwnd();
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  SetForegroundWindow(hwnd);
  RunMessageLoop(hwnd);
  window.EnableOthers();
}

namespace {
void Dispatch(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}
}  // namespace

bool PumpWaitingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Dispatch(msg);
  }
  return true;
}

int RunMessageLoop(HWND until) {
  MSG msg;
  while (!until || IsWindow(until)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) return -1;
    if (got == 0) {
      if (until) PostQuitMessage(static_cast<int>(msg.wParam));
      return static_cast<int>(msg.wParam);
    }
    Dispatch(msg);
  }
  return 0;
}
