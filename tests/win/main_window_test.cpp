// The main window in this process: the button lock, the banner's rotation, hiding, and the
// modal opening of a child window.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "app/banner.h"
#include "app/main_window.h"
#include "app/png_image.h"
#include "app/shared_state.h"
#include "common/window.h"

namespace {

BOOL CALLBACK CollectButton(HWND h, LPARAM lp) {
  int id = GetDlgCtrlID(h);
  if (id >= 1001 && id <= 1010) (*reinterpret_cast<std::vector<HWND>*>(lp))[id - 1001] = h;
  return TRUE;
}

BOOL CALLBACK FindPicture(HWND h, LPARAM lp) {
  if (GetDlgCtrlID(h) == 4001) *reinterpret_cast<HWND*>(lp) = h;
  return TRUE;
}

std::vector<HWND> BigButtons(HWND main) {
  std::vector<HWND> buttons(10);
  EnumChildWindows(main, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  return buttons;
}

HWND Picture(HWND main) {
  HWND found = nullptr;
  EnumChildWindows(main, FindPicture, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The pixel (x, y) of the bitmap that the picture box shows, as R, G, B.
std::vector<int> ShownPixel(HWND picture, int x, int y) {
  auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(picture, 0));
  if (!bitmap) return {};
  DIBSECTION dib;
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib) return {};
  const auto* row = static_cast<const uint8_t*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes;
  return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

std::vector<int> BannerPixel(int index, int x, int y) {
  HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(200 + index), RT_RCDATA);
  auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, r)));
  auto image = DecodePng(bytes, SizeofResource(nullptr, r));
  if (!image) return {};
  const uint8_t* p = &image->pixels[(static_cast<size_t>(y) * image->width + x) * 3];
  return {p[0], p[1], p[2]};
}

void Pump(DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedState();
    ASSERT_TRUE(main.Create());
    ShowWindow(main.hwnd(), SW_SHOW);
  }
  void TearDown() override {
    DestroyWindow(main.hwnd());
    ReleaseSharedState();
  }
  bool AllEnabled() {
    for (HWND b : BigButtons(main.hwnd())) if (!IsWindowEnabled(b)) return false;
    return true;
  }
  bool NoneEnabled() {
    for (HWND b : BigButtons(main.hwnd())) if (IsWindowEnabled(b)) return false;
    return true;
  }
  MainWindow main;
};

}  // namespace

TEST_F(MainWindowTest, TheLockIsNotCounted) {
  for (HWND b : BigButtons(main.hwnd())) ASSERT_NE(b, nullptr);
  MainButtonLock(false);  // nothing locked: nothing changes
  EXPECT_TRUE(AllEnabled());
  MainButtonLock(true);
  MainButtonLock(true);
  EXPECT_TRUE(NoneEnabled());
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));  // the lock touches the buttons only
  MainButtonLock(false);
  EXPECT_TRUE(AllEnabled());
}

TEST_F(MainWindowTest, BannerShowsNothingThenRotatesOneToFour) {
  HWND picture = Picture(main.hwnd());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(main.BannerIndex(), 0);
  EXPECT_EQ(GetWindowLongPtrA(picture, 0), 0);
  for (int expected : {1, 2, 3, 4, 1}) {
    SendMessageA(main.hwnd(), WM_TIMER, MainWindow::kBannerTimer, 0);
    EXPECT_EQ(main.BannerIndex(), expected);
    EXPECT_EQ(ShownPixel(picture, 225, 75), BannerPixel(expected, 225, 75)) << expected;
    EXPECT_EQ(ShownPixel(picture, 300, 40), BannerPixel(expected, 300, 40)) << expected;
  }
}

TEST_F(MainWindowTest, DamagedPictureLeavesTheBannerAsItWas) {
  SendMessageA(main.hwnd(), WM_TIMER, MainWindow::kBannerTimer, 0);
  HWND picture = Picture(main.hwnd());
  LONG_PTR shown = GetWindowLongPtrA(picture, 0);
  const char damaged[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR broken";
  UniqueBitmap bitmap = BitmapFromPng(damaged, sizeof damaged);
  EXPECT_FALSE(bitmap);
  main.ShowBannerPicture(std::move(bitmap));
  EXPECT_EQ(GetWindowLongPtrA(picture, 0), shown);
  EXPECT_EQ(ShownPixel(picture, 225, 75), BannerPixel(1, 225, 75));
}

TEST_F(MainWindowTest, HideKeepsTheTimerRunning) {
  RunMainButtonHandler(10);
  EXPECT_FALSE(IsWindowVisible(main.hwnd()));
  EXPECT_TRUE(AllEnabled());
  Pump(MainWindow::kBannerPeriodMs + 600);
  EXPECT_EQ(main.BannerIndex(), 1);
}

namespace {

// A child window that records what it saw when it became active, then closes itself.
class ProbeWindow : public ModalWindow {
 public:
  explicit ProbeWindow(HWND main) : main_(main) {}
  bool Create(HWND owner) override {
    return CreateTopLevel("probe", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 200, 100, owner);
  }
  bool mainEnabledWhileOpen = true;
  int activations = 0;

 protected:
  void OnFirstActivated() override {
    ++activations;
    mainEnabledWhileOpen = IsWindowEnabled(main_) != FALSE;
    Close();
  }

 private:
  HWND main_;
};

}  // namespace

TEST_F(MainWindowTest, ModalOpeningDisablesTheProgramUntilTheChildIsGone) {
  SetForegroundWindow(main.hwnd());
  ProbeWindow probe(main.hwnd());
  RunModal(probe);  // returns only once the probe has destroyed itself
  EXPECT_EQ(probe.activations, 1);
  EXPECT_FALSE(probe.mainEnabledWhileOpen);
  EXPECT_EQ(probe.hwnd(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));

  // Also over a hidden main window.
  ShowWindow(main.hwnd(), SW_HIDE);
  ProbeWindow second(main.hwnd());
  RunModal(second);
  EXPECT_FALSE(second.mainEnabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
}
