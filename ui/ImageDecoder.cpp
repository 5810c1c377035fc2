#include "ui/ImageDecoder.h"

#include <stb_image.h>

#include <climits>
#include <cstring>
#include <memory>

namespace zbe {
namespace {

struct StbFree {
  void operator()(void* p) const { stbi_image_free(p); }
};

constexpr int kMinDelayMs = 20;
constexpr int kDefaultDelayMs = 100;
constexpr int64_t kMaxPixels = 64ll * 1024 * 1024;

bool IsGif(std::span<const uint8_t> b) {
  return b.size() >= 6 && std::memcmp(b.data(), "GIF8", 4) == 0;
}

}  // namespace

int32_t DecodeImage(std::span<const uint8_t> bytes, UIImageData* out) {
  *out = UIImageData();
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
    return 22;
  int w = 0, h = 0, comp = 0;
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int len = static_cast<int>(bytes.size());
  if (!stbi_info_from_memory(data, len, &w, &h, &comp))
    return 22;
  if (w <= 0 || h <= 0 || static_cast<int64_t>(w) * h > kMaxPixels)
    return 22;

  if (IsGif(bytes)) {
    int* rawDelays = nullptr;
    int frames = 0;
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_gif_from_memory(data, len, &rawDelays, &w, &h, &frames, &comp, 4));
    std::unique_ptr<int, StbFree> delays(rawDelays);
    if (!pixels || frames <= 0)
      return 22;
    const size_t frameBytes = static_cast<size_t>(w) * h * 4;
    out->width = w;
    out->height = h;
    for (int i = 0; i < frames; ++i) {
      const stbi_uc* f = pixels.get() + frameBytes * i;
      out->frames.emplace_back(f, f + frameBytes);
      int d = delays ? delays.get()[i] : 0;
      out->delaysMs.push_back(d < kMinDelayMs ? kDefaultDelayMs : d);
    }
    return 0;
  }

  std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load_from_memory(data, len, &w, &h, &comp, 4));
  if (!pixels)
    return 22;
  const size_t frameBytes = static_cast<size_t>(w) * h * 4;
  out->width = w;
  out->height = h;
  out->frames.emplace_back(pixels.get(), pixels.get() + frameBytes);
  out->delaysMs.push_back(0);
  return 0;
}

}  // namespace zbe
