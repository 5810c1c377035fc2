// Drawing with the image notation (plain name, source, dest, corner, fade, mask, hole), read
// back from renderings. The images are made here and read through a "Skins" folder.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/UITestSupport.h"

namespace zbe::test {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
                   kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

void WritePng(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& at) {
  std::vector<uint8_t> px;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t c = at(x, y);
      px.insert(px.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                           static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 24)});
    }
  }
  ASSERT_NE(stbi_write_png(path.c_str(), w, h, 4, px.data(), w * 4), 0);
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = UIApplication::Instance();
    saved_ = app_->GetProgramFolder();
    program_ = MakeTempDir("program");
    const std::string skin = program_ + "/Skins";
    std::filesystem::create_directories(skin + "/xml");
    // Four quadrants, and a nine-slice frame: black corners, red edges, a green middle.
    WritePng(skin + "/quad.png", 20, 20, [](int x, int y) {
      return y < 10 ? (x < 10 ? kRed : kGreen) : (x < 10 ? kBlue : kYellow);
    });
    WritePng(skin + "/frame.png", 30, 30, [](int x, int y) {
      const bool edgeX = x < 10 || x >= 20, edgeY = y < 10 || y >= 20;
      return edgeX && edgeY ? kBlack : (edgeX || edgeY ? kRed : kGreen);
    });
    std::ofstream(skin + "/xml/render.xml") << R"(<Window size="520,120">
      <HorizontalLayout bkcolor="#FFFFFFFF" inset="10,10,10,10" childpadding="10">
        <Label name="Plain" width="20" height="20" bkimage="quad.png"/>
        <Label name="Source" width="40" height="40" bkimage="file='quad.png' source='10,0,20,10'"/>
        <Label name="Dest" width="30" height="30" bkimage="file='quad.png' source='0,10,10,20' dest='10,10,20,20'"/>
        <Label name="Corner" width="90" height="60" bkimage="file='frame.png' corner='10,10,10,10'"/>
        <Label name="Hole" width="90" height="60" bkimage="file='frame.png' corner='10,10,10,10' hole='true'"/>
        <Label name="Fade" width="20" height="20" bkimage="file='quad.png' fade='0'"/>
        <Label name="Mask" width="20" height="20" bkimage="file='quad.png' mask='#FFFF0000'"/>
        <Label name="Missing" width="20" height="20" bkimage="no_such_image.png"/>
      </HorizontalLayout>
    </Window>)";
    app_->SetProgramFolder(program_);
    ASSERT_TRUE(wnd_.Open());
    shot_ = MakeTempDir("shots") + "/render.png";
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(h_.RenderToPng(shot_));
    ::testing::internal::GetCapturedStderr();
  }
  void TearDown() override { app_->SetProgramFolder(saved_); }

  // The pixel at (dx, dy) inside control "name".
  uint32_t At(const std::string& name, int dx, int dy) {
    const UIRect r = wnd_.GetManager().FindControl(name)->GetPos();
    return PixelAt(shot_, r.left + dx, r.top + dy);
  }

  UIApplication* app_ = nullptr;
  std::string saved_, program_, shot_;
  TestWindow wnd_{"xml/render.xml"};
  UITestHarness h_{wnd_};
};

TEST_F(RenderTest, PlainNameDrawsTheWholeImage) {
  EXPECT_EQ(At("Plain", 5, 5), kRed);
  EXPECT_EQ(At("Plain", 15, 5), kGreen);
  EXPECT_EQ(At("Plain", 5, 15), kBlue);
  EXPECT_EQ(At("Plain", 15, 15), kYellow);
}

TEST_F(RenderTest, SourceCutsARectangleOut) {
  EXPECT_EQ(At("Source", 3, 3), kGreen);
  EXPECT_EQ(At("Source", 36, 36), kGreen) << "stretched over the whole control";
}

TEST_F(RenderTest, DestPlacesTheCutInsideTheControl) {
  EXPECT_EQ(At("Dest", 15, 15), kBlue);
  EXPECT_EQ(At("Dest", 5, 5), kWhite);
  EXPECT_EQ(At("Dest", 25, 25), kWhite);
}

TEST_F(RenderTest, CornerKeepsTheBordersWhileStretching) {
  EXPECT_EQ(At("Corner", 5, 5), kBlack);
  EXPECT_EQ(At("Corner", 84, 54), kBlack);
  EXPECT_EQ(At("Corner", 12, 5), kRed) << "the top edge starts right after the corner";
  EXPECT_EQ(At("Corner", 45, 3), kRed);
  EXPECT_EQ(At("Corner", 3, 30), kRed);
  EXPECT_EQ(At("Corner", 45, 30), kGreen);
  EXPECT_EQ(At("Corner", 78, 30), kGreen);
}

TEST_F(RenderTest, HoleFadeAndMask) {
  EXPECT_EQ(At("Hole", 45, 30), kWhite);
  EXPECT_EQ(At("Hole", 5, 5), kBlack);
  EXPECT_EQ(At("Fade", 5, 5), kWhite);
  EXPECT_EQ(At("Mask", 5, 5), kWhite) << "the mask colour is transparent";
  EXPECT_EQ(At("Mask", 15, 5), kGreen);
}

TEST_F(RenderTest, MissingImageDrawsNothingAndIsReportedOnce) {
  EXPECT_EQ(At("Missing", 10, 10), kWhite);
  wnd_.GetManager().FindControl("Missing")->SetBkImage("file='missing_once_zbe.png'");
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(h_.RenderToPng(shot_));
  ASSERT_TRUE(h_.RenderToPng(shot_));
  const std::string err = ::testing::internal::GetCapturedStderr();
  const size_t first = err.find("missing_once_zbe.png");
  EXPECT_NE(first, std::string::npos) << err;
  EXPECT_EQ(err.find("missing_once_zbe.png", first + 1), std::string::npos) << err;
  EXPECT_EQ(At("Missing", 10, 10), kWhite);
}

}  // namespace
}  // namespace zbe::test
