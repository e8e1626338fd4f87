#include "platform/Picture.h"

#include <cstddef>

bool Picture::IsWellFormed() const {
  if (width <= 0 || height <= 0) return false;
  return pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

Picture ScalePicture(const Picture& source, int width, int height) {
  Picture result;
  if (!source.IsWellFormed() || width <= 0 || height <= 0) return result;
  result.width = width;
  result.height = height;
  result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    // 64-bit products: no overflow for any int sizes.
    const auto sy = static_cast<std::size_t>(std::int64_t{y} * source.height / height);
    for (int x = 0; x < width; ++x) {
      const auto sx = static_cast<std::size_t>(std::int64_t{x} * source.width / width);
      result.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)] =
          source.pixels[sy * static_cast<std::size_t>(source.width) + sx];
    }
  }
  return result;
}
