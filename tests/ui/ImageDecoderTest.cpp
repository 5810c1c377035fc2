// Decoding skin images: still images and every frame of a GIF with its delay.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include "ui/ImageDecoder.h"

namespace zbe {
namespace {

std::vector<uint8_t> EncodePng(int w, int h, const std::vector<uint8_t>& rgba) {
  std::vector<uint8_t> out;
  stbi_write_png_to_func(
      [](void* ctx, void* data, int size) {
        auto* v = static_cast<std::vector<uint8_t>*>(ctx);
        auto* p = static_cast<uint8_t*>(data);
        v->insert(v->end(), p, p + size);
      },
      &out, w, h, 4, rgba.data(), w * 4);
  return out;
}

// A 1x1 GIF with two frames (white, then black) of "d1" and "d2" hundredths of a second.
std::vector<uint8_t> TwoFrameGif(uint8_t d1, uint8_t d2) {
  std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                            0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00};  // palette: white, black
  for (int frame = 0; frame < 2; ++frame) {
    const uint8_t delay = frame == 0 ? d1 : d2;
    const uint8_t index = frame == 0 ? 0 : 1;
    g.insert(g.end(), {0x21, 0xF9, 0x04, 0x00, delay, 0x00, 0x00, 0x00});
    g.insert(g.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00});
    // LZW, code size 2: clear (4), the pixel, end (5), in 3-bit codes.
    const uint8_t b0 = static_cast<uint8_t>(0x04 | (index << 3) | (0x05 << 6));
    g.insert(g.end(), {0x02, 0x02, b0, 0x01, 0x00});
  }
  g.push_back(0x3B);
  return g;
}

TEST(ImageDecoder, PngGivesRgbaPixels) {
  std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 0, 255, 128};
  UIImageData img;
  ASSERT_EQ(DecodeImage(EncodePng(2, 1, rgba), &img), 0);
  EXPECT_EQ(img.width, 2);
  EXPECT_EQ(img.height, 1);
  ASSERT_EQ(img.frames.size(), 1u);
  EXPECT_EQ(img.frames[0], rgba);
  EXPECT_EQ(img.delaysMs, std::vector<int>{0});
}

TEST(ImageDecoder, GifGivesEveryFrameWithItsDelay) {
  UIImageData img;
  ASSERT_EQ(DecodeImage(TwoFrameGif(5, 20), &img), 0);
  ASSERT_EQ(img.frames.size(), 2u);
  EXPECT_EQ(img.frames[0][0], 255);
  EXPECT_EQ(img.frames[1][0], 0);
  EXPECT_EQ(img.delaysMs, (std::vector<int>{50, 200}));
}

TEST(ImageDecoder, TooShortGifDelaysBecomeATenthOfASecond) {
  UIImageData img;
  ASSERT_EQ(DecodeImage(TwoFrameGif(0, 1), &img), 0);
  EXPECT_EQ(img.delaysMs, (std::vector<int>{100, 100}));
}

TEST(ImageDecoder, RejectsWhatIsNoImage) {
  UIImageData img;
  const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(DecodeImage(text, &img), 22);
  EXPECT_EQ(DecodeImage({}, &img), 22);
  auto png = EncodePng(4, 4, std::vector<uint8_t>(64, 200));
  png.resize(png.size() / 2);
  EXPECT_EQ(DecodeImage(png, &img), 22) << "a truncated file";
}

}  // namespace
}  // namespace zbe
