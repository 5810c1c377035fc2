#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/CScanVrtWnd.h"
#include "app/MessageFormat.h"
#include "tests/app/ScanTestSupport.h"
#include "tools/mkbackup/SampleMediaFiles.h"
#include "ui/LayoutsUI.h"
#include "ui/ProgressUI.h"

namespace zbe::test {
namespace {

int BarValue(MainWindowFixture& f) {
  return dynamic_cast<CProgressUI*>(f.Find("ProgressScan"))->GetValue();
}

TEST(ScanRun, ProgressShowsTwoFirstNeverGoesBackAndStopsAt99) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  CScanVrtWnd& scan = f.window().ScanPage();
  const int reports[] = {0, 1, 1, 5, 3, 100};
  const int shown[] = {0, 2, 2, 5, 5, 99};
  for (size_t i = 0; i < std::size(reports); ++i) {
    EXPECT_EQ(scan.OnProgress(reports[i]), 0);
    UIApplication::Instance()->ProcessEvents();
    EXPECT_EQ(BarValue(f), shown[i]) << "after " << reports[i];
    EXPECT_EQ(scan.LastProgressShown(), shown[i]);
  }
  EXPECT_EQ(f.Find("LblPercent")->GetText(), "99%");
  // The first report showed the scan page.
  EXPECT_EQ(dynamic_cast<CTabLayoutUI*>(f.Find("MainTabPage"))->GetCurSel(), 1);
}

// Pauses the scan of the larger backup right after its first category has been shown. Returns
// false when a busy machine let the scan end before the pause could be clicked.
bool PauseAfterTheCameraRoll(MainWindowFixture& f) {
  CScanVrtWnd& scan = f.window().ScanPage();
  EXPECT_TRUE(f.harness().Click(f.Find("BtnNext2")));
  EXPECT_TRUE(PumpUntil([&] { return scan.CategoryCountShown(RecordCategory::kCameraRoll) > 0; }));
  f.harness().Layout();
  EXPECT_TRUE(f.harness().RenderToPng(ShotsDir() + "/app-scanning.png"));
  const bool clicked = f.harness().Click(f.Find("BtnScanPause"));
  return clicked && scan.IsScanning();
}

TEST(ScanRun, PausedScanWaitsThroughQuestionsAndStopKeepsWhatWasRead) {
  AppHome home{AppHome::Scaled{}};
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  GoToStep2(f);
  CScanVrtWnd& scan = f.window().ScanPage();
  if (!PauseAfterTheCameraRoll(f))
    GTEST_SKIP() << "the scan ended before it could be paused";
  EXPECT_EQ(f.Find("BtnScanPause")->GetText(), settings->Message("MSG0506"));
  EXPECT_FALSE(f.Find("BtnHome")->IsEnabled());
  EXPECT_TRUE(f.Find("BtnRecovery")->IsEnabled());  // paused, and items are checked
  // Paused, the worker waits at its next report: nothing moves.
  const int progress = scan.LastProgressShown();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_EQ(scan.LastProgressShown(), progress);

  // Closing the window asks; "Cancel" keeps the window and the scan.
  ModalScript script;
  script.Then([&](CWindowWnd& box) {
    EXPECT_EQ(TextOf(box, "title"), settings->Message("MSG0405"));
    EXPECT_EQ(TextOf(box, "message"), settings->Message("MSG0511"));
    ClickIn(box, "cancelbtn");
  });
  f.window().Close(2);
  UIApplication::Instance()->ProcessEvents();
  EXPECT_FALSE(f.window().IsClosed());
  EXPECT_TRUE(scan.IsScanning());
  EXPECT_TRUE(scan.IsPaused());

  // Stop, then "no": still paused, still waiting, still offering to resume.
  script.Then(Press("cancelbtn", settings->Message("MSG0508")));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnScanStop")));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  UIApplication::Instance()->ProcessEvents();
  EXPECT_TRUE(scan.IsPaused());
  EXPECT_TRUE(scan.IsScanning());
  EXPECT_EQ(scan.LastProgressShown(), progress);
  EXPECT_EQ(f.Find("BtnScanPause")->GetText(), settings->Message("MSG0506"));

  // Stop, then "yes": the scan ends with the categories read before it.
  script.Then(Press("okbtn"));
  ASSERT_TRUE(f.harness().Click(f.Find("BtnScanStop")));
  EXPECT_FALSE(scan.IsScanning());
  EXPECT_FALSE(scan.IsPaused());
  EXPECT_EQ(f.Find("BtnScanPause")->GetText(), settings->Message("MSG0507"));
  ASSERT_TRUE(PumpUntil([&] { return ScanShownFinished(f); }));
  EXPECT_TRUE(NodeOf(f, RecordCategory::kCameraRoll)->IsVisible());
  EXPECT_EQ(
      NodeOf(f, RecordCategory::kCameraRoll)->GetItemText(),
      "Camera Roll (" + std::to_string(scan.CategoryCountShown(RecordCategory::kCameraRoll)) + ")");
  EXPECT_FALSE(NodeOf(f, RecordCategory::kWhatsAppAttachments)->IsVisible());
  EXPECT_EQ(NodeOf(f, RecordCategory::kWhatsAppAttachments)->GetItemText(),
            "WhatsApp Attachments (0)");
  EXPECT_FALSE(scan.Results().categoryResults[static_cast<size_t>(RecordCategory::kNotes)]);
  EXPECT_TRUE(f.Find("BtnHome")->IsEnabled());
  EXPECT_TRUE(f.Find("BtnRecovery")->IsEnabled());
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(ScanRun, OnlyRemindersOpensTheBackupAndFindsNothing) {
  AppHome home;
  auto settings = MakeSettings(home);
  MainWindowFixture f(*settings);
  GoToStep2(f);
  ChooseOnly(f, {"OptReminder"});
  ModalScript script;
  ScanToTheEnd(f);
  CTreeNodeUI* reminder = NodeOf(f, RecordCategory::kReminder);
  ASSERT_NE(reminder, nullptr);
  EXPECT_FALSE(reminder->IsVisible());
  EXPECT_EQ(reminder->GetItemText(), "Reminder (0)");
  EXPECT_EQ(NodeOf(f, RecordCategory::kNotes), nullptr);  // not chosen: no node at all
  EXPECT_EQ(f.Find("LblScanInfo")->GetText(), settings->Message("MSG0504"));
  EXPECT_FALSE(f.window().ScanPage().HasResults());
  EXPECT_FALSE(f.Find("BtnRecovery")->IsEnabled());  // nothing to recover
  EXPECT_EQ(f.Find("LblStatistics")->GetText(),
            "You have selected 0 MB in 0 item(s) of 0 MB in 0 item(s)");
  EXPECT_TRUE(script.seen.empty());
}

// An icon: a type the file type detection knows, in neither the video nor the audio list (and
// long enough for the detection to look at it).
std::string IconFile() {
  std::string icon("\x00\x00\x01\x00\x01\x00", 6);
  icon += std::string("\x10\x10\x00\x00\x01\x00\x20\x00", 8);
  icon += std::string("\x42\x02\x00\x00\x16\x00\x00\x00", 8);  // 578 bytes at offset 22
  icon += std::string(578, '\x01');
  return icon;
}

TEST(ScanRun, AppVideosAloneShowOnlyTheirNodeAndAnUnlistedTypeIsAPhoto) {
  for (const bool withIcon : {false, true}) {
    AppHome home(false);
    auto settings = MakeSettings(home);
    mkbackup::SampleBackup sample(5, 1591003800);
    sample.device().displayName = "Clips iPhone";
    mkbackup::SampleRandom random(3);
    sample.AddFile("AppDomain-com.example.clips", "Documents/TAKE_001.MOV",
                   mkbackup::MovVideo(random, 3000));
    sample.AddFile("AppDomain-com.example.clips", "Documents/clip_002.mp4",
                   mkbackup::Mp4Video(random, 2500));
    if (withIcon)
      sample.AddFile("AppDomain-com.example.clips", "Documents/badge.ico", IconFile());
    WriteBackupInto(home, sample);
    MainWindowFixture f(*settings);
    GoToStep2(f);
    ChooseOnly(f, {"OptAppPhotos", "OptAppVideos"});
    ScanToTheEnd(f);
    CScanVrtWnd& scan = f.window().ScanPage();
    EXPECT_EQ(NodeOf(f, RecordCategory::kAppPhotos)->IsVisible(), withIcon);
    EXPECT_EQ(NodeOf(f, RecordCategory::kAppPhotos)->GetItemText(),
              withIcon ? "App Photos (1)" : "App Photos (0)");
    EXPECT_TRUE(NodeOf(f, RecordCategory::kAppVideos)->IsVisible());
    EXPECT_EQ(NodeOf(f, RecordCategory::kAppVideos)->GetItemText(), "App Videos (2)");
    EXPECT_EQ(scan.Selection().Totals().totalCount, withIcon ? 3u : 2u);
    if (withIcon)
      continue;
    // The only category with items is selected: one folder row for the app.
    EXPECT_EQ(scan.Tree().SelectedCategory(), RecordCategory::kAppVideos);
    ASSERT_EQ(DataList(f)->GetCount(), 1);
    EXPECT_EQ(Row(f, 0)->GetText(1), "example.clips");
    EXPECT_EQ(Row(f, 0)->GetText(2), "Folder");
  }
}

TEST(ScanRun, ADamagedDatabaseIsNamedAndAMissingOneIsNot) {
  AppHome home(false);
  auto settings = MakeSettings(home);
  mkbackup::SampleBackup sample(5, 1591003800);
  sample.device().displayName = "Damaged iPhone";
  sample.AddFile("HomeDomain", "Library/SMS/sms.db", std::string(4096, 'x'));
  WriteBackupInto(home, sample);
  MainWindowFixture f(*settings);
  GoToStep2(f);
  // Messages is there but damaged; the address book is not in this backup at all.
  ChooseOnly(f, {"OptMessages", "OptContacts"});
  ModalScript script;
  script.Then(Press("okbtn", FormatMessage(settings->Message("MSG0514"), {"Messages"})));
  ScanToTheEnd(f);
  ASSERT_TRUE(PumpUntil([&] { return script.Pending() == 0; }));
  EXPECT_EQ(script.seen, std::vector<std::string>{"UIMessageBox"});
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
