// Decoding of the banner pictures: PNG bytes in, 8-bit RGB pixels out. No Windows call here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // rows top to bottom, 3 bytes (R, G, B) per pixel, no padding
};

// Returns nothing when the bytes are not a complete, valid PNG or the picture is larger than
// maxPixels; a damaged picture never yields a half-decoded image.
std::optional<RgbImage> DecodePng(const uint8_t* data, std::size_t size,
                                  std::size_t maxPixels = 4096 * 4096);
