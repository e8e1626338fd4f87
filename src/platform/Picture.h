#pragma once
// An image as plain pixels: 32-bit BGRA words (blue in the low byte, alpha in the high
// byte), rows from top to bottom, `width` words per row.
#include <cstdint>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  // True when the picture has a positive size and exactly width x height pixels.
  bool IsWellFormed() const;
};

// A copy of `source` resized to width x height by nearest-neighbour sampling; an empty
// picture when the source is not well formed or the size is not positive.
Picture ScalePicture(const Picture& source, int width, int height);
