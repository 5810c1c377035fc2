#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/CPreviewProcessWnd.h"
#include "app/CPreviewVrtWnd.h"
#include "tests/app/ScanTestSupport.h"
#include "tools/mkbackup/SampleMediaFiles.h"
#include "ui/ProgressUI.h"
#include "ui/RichEditUI.h"

namespace zbe::test {
namespace {

using Kind = CPreviewVrtWnd::CopyKind;

// A JPEG padded to "size" bytes (decoders stop at its end marker).
std::string JpegOfSize(size_t size) {
  mkbackup::SampleRandom random(9);
  std::string jpeg = mkbackup::JfifJpeg(random, 320, 240);
  jpeg.resize(std::max(size, jpeg.size()), '\0');
  return jpeg;
}

// A backup whose camera roll holds the files the preview tests need, scanned.
class Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    mkbackup::SampleRandom random(4);
    WriteBackupInto(
        home_, CameraRollBackup(
                   "Preview iPhone",
                   {{"IMG_0001.JPG", JpegOfSize(60 * 1024)},
                    {"IMG_0002.JPG", JpegOfSize(70 * 1024)},
                    {"IMG_0003.GIF", ReadFile(std::string(ZBE_SOURCE_DIR) + "/skin/loading.gif")},
                    {"IMG_0004.MOV", mkbackup::MovVideo(random, 4000)},
                    {"IMG_0005.WAV", mkbackup::WavAudio(random, 300)}}));
    settings_ = MakeSettings(home_);
    f_ = std::make_unique<MainWindowFixture>(*settings_);
    GoToStep2(*f_);
    ChooseOnly(*f_, {"OptCameraRoll"});
  }
  MainWindowFixture& f() { return *f_; }
  CPreviewVrtWnd& preview() { return f_->window().PreviewPane(); }
  void Select(int row) {
    ASSERT_TRUE(f().harness().Click(Row(f(), row)));
    UIApplication::Instance()->ProcessEvents();
  }

  AppHome home_{false};
  std::unique_ptr<CSettings> settings_;
  std::unique_ptr<MainWindowFixture> f_;
};

TEST_F(Preview, SmallFilesAreCopiedAtOnceLargeOnesWithProgressAndTheSameOneOnce) {
  ModalScript script;
  ScanToTheEnd(f());  // which selects the first row: 60 KiB, no window
  UIApplication::Instance()->ProcessEvents();
  ASSERT_EQ(DataList(f())->GetCount(), 5);
  EXPECT_EQ(preview().LastCopyKind(), Kind::kImage);
  EXPECT_TRUE(script.seen.empty());
  auto* edit = dynamic_cast<CRichEditUI*>(f().Find("PreviewEdit"));
  EXPECT_EQ(edit->GetImageCount(), 1);
  const std::string copy = preview().LastCopyPath();
  EXPECT_EQ(copy.substr(copy.size() - 7), "tmp.jpg");
  EXPECT_EQ(ReadFile(copy), JpegOfSize(60 * 1024));

  // The same photo previewed again is shown from its copy: a copy made anew would replace
  // this mark.
  WriteFile(copy, "mark");
  DataList(f())->SelectItem(-1, false, false);
  DataList(f())->SelectItem(0, false, true);
  UIApplication::Instance()->ProcessEvents();
  EXPECT_EQ(ReadFile(copy), "mark");

  // 70 KiB: through the progress window, which ends by itself once the copy is made.
  script.Then([&](CWindowWnd& w) {
    EXPECT_EQ(w.GetWindowRect().Width(), 500);
    EXPECT_EQ(w.GetWindowRect().Height(), 200);
    EXPECT_EQ(TextOf(w, "LblFileName"), settings_->Message("MSG0902") + " IMG_0002.JPG");
    UITestHarness(w).Layout();
    EXPECT_TRUE(UITestHarness::RenderWindowsToPng({&f().window(), &w},
                                                  ShotsDir() + "/app-preview-progress.png"));
    EXPECT_TRUE(PumpUntil([&] { return w.IsClosed(); }, 5000));
  });
  Select(1);
  EXPECT_EQ(script.seen, std::vector<std::string>{"UIPreviewProcessWnd"});
  EXPECT_EQ(ReadFile(copy), JpegOfSize(70 * 1024));
  EXPECT_EQ(edit->GetImageCount(), 1);
  EXPECT_TRUE(script.unexpected.empty());
}

TEST_F(Preview, GifsAnimateAndSoundAndVideoGoToTheirPlayers) {
  FakePlayers players;
  ScanToTheEnd(f());
  Select(2);
  auto* edit = dynamic_cast<CRichEditUI*>(f().Find("PreviewEdit"));
  EXPECT_EQ(preview().LastCopyKind(), Kind::kImage);
  EXPECT_TRUE(edit->HasAnimations());
  f().harness().AdvanceTimers(CPreviewVrtWnd::kAnimationPeriodMs * 3);

  Select(4);
  EXPECT_EQ(preview().LastCopyKind(), Kind::kAudio);
  EXPECT_TRUE(PumpUntil([&] { return !players.OpenLog().empty(); }, 5000));
  EXPECT_EQ(players.OpenLog(), preview().LastCopyPath() + "\n");
  EXPECT_EQ(preview().LastCopyPath().substr(preview().LastCopyPath().size() - 7), "tmp.wav");

  ModalScript script;  // a video that plays asks nothing
  Select(3);
  EXPECT_EQ(preview().LastCopyKind(), Kind::kVideo);
  EXPECT_TRUE(PumpUntil([&] { return !players.MpvLog().empty(); }, 5000));
  EXPECT_NE(players.MpvLog().find("--geometry=326x189+845+260"), std::string::npos);
  EXPECT_NE(players.MpvLog().find(preview().LastCopyPath()), std::string::npos);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_TRUE(script.seen.empty());
}

TEST_F(Preview, AVideoThatCannotPlaySaysSo) {
  FakePlayers players(/*withMpv=*/false);
  ScanToTheEnd(f());
  ModalScript script;
  script.Then(Press("okbtn", settings_->Message("MSG1207")));
  Select(3);
  EXPECT_TRUE(PumpUntil([&] { return script.Pending() == 0; }, 5000));
  EXPECT_TRUE(script.unexpected.empty());
}

// A copy that takes its time: ten reports of 10 %, the percent reached kept in "reached".
PreviewCopyFn SlowCopy(std::atomic<int>& reached) {
  return [&reached](const std::string&, std::string& out, PreviewCopyCallback callback,
                    void* context) -> int32_t {
    out = "/nowhere/tmp.jpg";
    for (int percent = 10; percent <= 100; percent += 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (int32_t rc = callback(context, percent); rc != 0)
        return rc;
      reached = percent;
    }
    return 0;
  };
}

TEST(PreviewProcessWnd, CancelAnsweredNoGoesOnAndYesEndsWithNothing) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  std::atomic<int> reached{0};
  ModalScript script;
  auto cancelThen = [&](const char* answer) {
    script.Then([&](CWindowWnd& w) {
      EXPECT_TRUE(PumpUntil([&] { return reached.load() >= 20; }, 5000));
      ClickIn(w, "BtnCancel");
      if (!w.IsClosed()) {
        EXPECT_TRUE(PumpUntil([&] { return w.IsClosed(); }, 5000));
      }
    });
    script.Then([&, answer](CWindowWnd& question) {
      EXPECT_EQ(TextOf(question, "message"), settings->Message("MSG0903"));
      // The copy waits while the question is open.
      const int at = reached.load();
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      EXPECT_EQ(reached.load(), at);
      ClickIn(question, answer);
    });
  };
  cancelThen("cancelbtn");
  CPreviewProcessWnd goesOn(*settings, SlowCopy(reached), "/stored/file", "IMG_0002.JPG");
  EXPECT_EQ(goesOn.Run(nullptr), CPreviewProcessWnd::kCopied);
  EXPECT_EQ(reached.load(), 100);
  EXPECT_EQ(goesOn.CopyPath(), "/nowhere/tmp.jpg");

  reached = 0;
  cancelThen("okbtn");
  CPreviewProcessWnd stops(*settings, SlowCopy(reached), "/stored/file", "IMG_0002.JPG");
  EXPECT_EQ(stops.Run(nullptr), CPreviewProcessWnd::kNotCopied);
  EXPECT_LT(reached.load(), 100);
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
