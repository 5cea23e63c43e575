// Decoding of the banner pictures, against reference pixels that ImageMagick read from the same
// files, and the outcome for damaged pictures.
#include "app/png_image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

const std::string kBanners = std::string(SYSCLEAN_SOURCE_DIR) + "/resources/banners/";

}  // namespace

TEST(PngImage, BannersDecodeToTheirPixels) {
  std::ifstream samples(kBanners + "samples.txt");
  std::string line;
  int checked = 0;
  while (std::getline(samples, line)) {
    std::istringstream row(line);
    std::string file;
    int x, y, r, g, b;
    ASSERT_TRUE(row >> file >> x >> y >> r >> g >> b) << line;
    std::vector<uint8_t> png = ReadFile(kBanners + file);
    std::optional<RgbImage> image = DecodePng(png.data(), png.size());
    ASSERT_TRUE(image) << file;
    ASSERT_EQ(image->width, 450);
    ASSERT_EQ(image->height, 150);
    const uint8_t* p = &image->pixels[(static_cast<size_t>(y) * 450 + x) * 3];
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{r, g, b})) << line;
    ++checked;
  }
  EXPECT_EQ(checked, 20);
}

TEST(PngImage, DamagedPicturesYieldNothing) {
  const std::vector<uint8_t> good = ReadFile(kBanners + "banner1.png");
  ASSERT_GT(good.size(), 1000u);
  auto truncated = std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2);
  auto flipped = good;
  flipped[good.size() / 2] ^= 0x55;  // inside the image data: its checksum no longer holds
  auto badSignature = good;
  badSignature[1] = 'X';
  auto hugeHeader = good;  // IHDR width 0x7fffffff
  hugeHeader[16] = 0x7f; hugeHeader[17] = 0xff; hugeHeader[18] = 0xff; hugeHeader[19] = 0xff;

  struct Case { const char* name; std::vector<uint8_t> bytes; } cases[] = {
      {"empty", {}},
      {"truncated", truncated},
      {"flipped byte", flipped},
      {"bad signature", badSignature},
      {"huge header", hugeHeader},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 33)},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(DecodePng(c.bytes.data(), c.bytes.size())) << c.name;
  }
  EXPECT_FALSE(DecodePng(nullptr, 10));
}
