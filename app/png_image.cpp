// PNG decoding through libpng's simplified API, which reports errors by its return value and
// never longjmps through our frames.
#include "app/png_image.h"

#include <png.h>

#include <cstring>

std::optional<RgbImage> DecodePng(const uint8_t* data, std::size_t size, std::size_t maxPixels) {
  if (data == nullptr || size == 0) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) {
    png_image_free(&image);
    return std::nullopt;
  }
  if (image.width == 0 || image.height == 0 ||
      static_cast<std::size_t>(image.width) * image.height > maxPixels) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  RgbImage out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  // A warning (a bad CRC on the image data, a truncated stream that libpng padded) leaves a
  // picture that is not the one we shipped: treat it as damaged.
  if (PNG_IMAGE_FAILED(image) || image.warning_or_error != 0) return std::nullopt;
  return out;
}
