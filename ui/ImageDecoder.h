// Decoding of skin and preview images (PNG, JPEG, BMP and GIF with all its frames) into plain
// RGBA pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zbe {

struct UIImageData {
  int width = 0;
  int height = 0;
  std::vector<std::vector<uint8_t>>
      frames;                 // each width * height * 4 bytes, RGBA, not premultiplied
  std::vector<int> delaysMs;  // one per frame; 0 for still images
};

// Decodes "bytes" into "out" (replaced). A GIF gives every frame, fully composed, with its delay
// in milliseconds; delays below 20 ms are read as 100 ms, as browsers do, because such files
// expect it. Returns 0, or 22 when the bytes are not an image of a supported kind or are damaged.
int32_t DecodeImage(std::span<const uint8_t> bytes, UIImageData* out);

}  // namespace zbe
