// Banner pictures and their pages.
#include "app/banner.h"

#include <cstring>

#include "app/png_image.h"
#include "app/resource_ids.h"

UniqueBitmap BitmapFromPng(const void* png, size_t size) {
  std::optional<RgbImage> image = DecodePng(static_cast<const uint8_t*>(png), size);
  if (!image) return UniqueBitmap();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // top-down rows, as the decoder gives them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return UniqueBitmap();
  const size_t stride = (static_cast<size_t>(image->width) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* src = image->pixels.data() + static_cast<size_t>(y) * image->width * 3;
    uint8_t* dst = static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * stride;
    for (int x = 0; x < image->width; ++x) {  // the DIB keeps blue, green, red
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  GdiFlush();
  return bitmap;
}

UniqueBitmap LoadBannerPicture(int index) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(self, MAKEINTRESOURCEA(IDR_BANNER_FIRST + index - 1), RT_RCDATA);
  if (!res) return UniqueBitmap();
  HGLOBAL data = LoadResource(self, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return UniqueBitmap();
  return BitmapFromPng(bytes, SizeofResource(self, res));
}

std::string BannerPage(const std::string& programDirectory, int index) {
  static const char* const kPages[kBannerCount] = {"junk.html", "history.html", "shredder.html",
                                                   "hotkeys.html"};
  if (index < 1 || index > kBannerCount) return std::string();
  return programDirectory + "\\help\\" + kPages[index - 1];
}
