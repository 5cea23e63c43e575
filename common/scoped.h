// Owners for Windows handles: each closes its handle exactly once, when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

// Traits name the handle type, its "no handle" value and how it is closed.
template <typename Traits>
class Owned {
 public:
  using H = typename Traits::Handle;
  Owned() = default;
  explicit Owned(H h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.h_, Traits::Invalid()));
    return *this;
  }
  ~Owned() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid() && h_ != H(); }
  H release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(H h = Traits::Invalid()) {
    if (*this) Traits::Close(h_);
    h_ = h;
  }

 private:
  H h_ = Traits::Invalid();
};

#define SYSCLEAN_HANDLE_TRAITS(Name, Type, InvalidValue, CloseCall)      \
  struct Name {                                                          \
    using Handle = Type;                                                 \
    static Handle Invalid() { return InvalidValue; }                     \
    static void Close(Handle h) { CloseCall(h); }                        \
  }
SYSCLEAN_HANDLE_TRAITS(HandleTraits, HANDLE, nullptr, CloseHandle);
SYSCLEAN_HANDLE_TRAITS(FileHandleTraits, HANDLE, INVALID_HANDLE_VALUE, CloseHandle);
SYSCLEAN_HANDLE_TRAITS(FindHandleTraits, HANDLE, INVALID_HANDLE_VALUE, FindClose);
SYSCLEAN_HANDLE_TRAITS(KeyTraits, HKEY, nullptr, RegCloseKey);
SYSCLEAN_HANDLE_TRAITS(ModuleTraits, HMODULE, nullptr, FreeLibrary);
SYSCLEAN_HANDLE_TRAITS(BitmapTraits, HBITMAP, nullptr, DeleteObject);
SYSCLEAN_HANDLE_TRAITS(FontTraits, HFONT, nullptr, DeleteObject);
SYSCLEAN_HANDLE_TRAITS(IconTraits, HICON, nullptr, DestroyIcon);
#undef SYSCLEAN_HANDLE_TRAITS

using UniqueHandle = Owned<HandleTraits>;
using UniqueFileHandle = Owned<FileHandleTraits>;
using UniqueFindHandle = Owned<FindHandleTraits>;
using UniqueKey = Owned<KeyTraits>;
using UniqueModule = Owned<ModuleTraits>;
using UniqueBitmap = Owned<BitmapTraits>;
using UniqueFont = Owned<FontTraits>;
using UniqueIcon = Owned<IconTraits>;

// A device context taken with GetDC and given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};
