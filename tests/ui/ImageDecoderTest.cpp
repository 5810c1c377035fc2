// Decoding skin images: still images and every frame of a GIF with its delay.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include "tests/ui/UITestSupport.h"
#include "ui/ImageDecoder.h"

namespace zbe::test {
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
}  // namespace zbe::test
