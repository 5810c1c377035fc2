// The export window over a real scan: the rows, counts and labels against the engine's own
// report, a failed copy, cancelling (no, then yes), opening the folder, a missing template, and
// what "Recover" does before the window (the picker, refused folders).

#include "export/windows/CRecoverProcessWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/CMessageBox.h"
#include "app/MessageFormat.h"
#include "export/ExportStatusText.h"
#include "export/windows/DetailRows.h"
#include "export/windows/RecoverFlow.h"
#include "export/windows/ScanPageActions.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/ScannedBackup.h"
#include "tests/export/ExportRecorder.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/ProgressUI.h"

namespace zbe::test {
namespace {

namespace fs = std::filesystem;

using State = CRecoverProcessWnd::State;

CListUI& DetailList(CWindowWnd& w) {
  auto* list = w.GetManager().Find<CListUI>("DetailList");
  EXPECT_NE(list, nullptr);
  return *list;
}

struct Row {
  std::string file;
  std::string status;
  bool red = false;
  bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(CWindowWnd& w) {
  std::vector<Row> rows;
  CListUI& list = DetailList(w);
  for (int i = 0; i < list.GetCount(); ++i) {
    auto* row = dynamic_cast<CListTextElementUI*>(list.GetItemAt(i));
    rows.push_back({row->GetText(0), row->GetText(1), row->GetTextColor() == kFailedRowColor});
  }
  return rows;
}

// The rows the window must show for what the engine reported: failures on top (newest first),
// then the successes in order, paths below the destination.
std::vector<Row> ExpectedRows(const std::vector<FinishedFile>& files, const std::string& root) {
  std::vector<Row> failed;
  std::vector<Row> rows;
  for (const FinishedFile& file : files) {
    Row row{DetailPath(file.path, root), file.status, file.errorCode != 0};
    (file.errorCode != 0 ? failed : rows).push_back(row);
  }
  rows.insert(rows.begin(), failed.rbegin(), failed.rend());
  return rows;
}

std::string CountsText(const CSettings& settings, const ExportCounts& c) {
  return FormatMessage(settings.Message("MSG1102"),
                       {std::to_string(c.done), std::to_string(c.total),
                        std::to_string(c.succeeded), std::to_string(c.failed)});
}

// Opens "window" modally and runs "whileOpen" on it; a message box it opens meanwhile is
// answered by the steps that follow in "script".
int RunWindow(CRecoverProcessWnd& window, ModalScript& script,
              const std::function<void(CRecoverProcessWnd&)>& whileOpen) {
  script.Then([&](CWindowWnd&) { whileOpen(window); });
  return window.DoModal(nullptr, "Recovering your data", CRecoverProcessWnd::kWidth,
                        CRecoverProcessWnd::kHeight);
}

bool WaitForEnd(CRecoverProcessWnd& w) {
  return PumpUntil([&] { return w.GetState() == State::kFinished; });
}

TEST(RecoverWindow, ExportsEveryCategoryWithTheEnginesCountsRowsAndLabels) {
  AppHome home;
  auto settings = MakeSettings(home);
  ScannedBackup scan(AppHome::PlainBackup());
  for (RecordCategory category :
       {RecordCategory::kCameraRoll, RecordCategory::kMessages, RecordCategory::kContacts,
        RecordCategory::kWhatsApp, RecordCategory::kNotes, RecordCategory::kCallHistory}) {
    ASSERT_GT(scan.selection().CategoryTotals(category).checkedCount, 0u)
        << static_cast<int>(category);
  }
  TempFolder out;
  // What the engine reports for the same export, with the same run stamp.
  ExportRecorder engine;
  ExportRun reference(scan.ExportInto(out / "reference"), &engine);
  ASSERT_EQ(reference.Run(), Result::Ok());

  const std::string root = out / "window";
  fs::create_directories(root);
  const FolderSnapshot backupBefore = SnapshotFolder(scan.folder());
  CRecoverProcessWnd window(*settings, scan.ExportInto(root));
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CRecoverProcessWnd& w) {
    EXPECT_EQ(w.GetWindowRect().Width(), 770);
    EXPECT_EQ(w.GetWindowRect().Height(), 700);
    ASSERT_TRUE(WaitForEnd(w));
    UITestHarness h(w);
    h.Layout();
    const ExportCounts counts = w.Counts();
    EXPECT_EQ(counts, engine.runCounts);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(counts.done, counts.total);
    EXPECT_EQ(TextOf(w, "recovered"), CountsText(*settings, counts));
    EXPECT_EQ(TextOf(w, "percent"), "Current progress: 100%");
    EXPECT_EQ(TextOf(w, "LblDestination"), "Saving to: " + root);
    EXPECT_EQ(TextOf(w, "LblBannerTitle"), settings->Message("MSG1110"));
    EXPECT_EQ(TextOf(w, "current"), settings->Message("MSG1110"));
    EXPECT_EQ(w.GetManager().Find<CProgressUI>("Progress")->GetValue(), 100);
    EXPECT_TRUE(h.Find("FinishBtn")->IsVisible());
    EXPECT_FALSE(h.Find("CancelBtn")->IsVisible());

    std::vector<FinishedFile> relocated = engine.finished;
    for (FinishedFile& file : relocated)
      file.path = root + file.path.substr((out / "reference").size());
    EXPECT_EQ(Rows(w), ExpectedRows(relocated, root));
    for (const FinishedFile& file : relocated)
      EXPECT_TRUE(fs::is_regular_file(file.path)) << file.path;

    // The banner shows first; "DetailBtn" switches to the list and back.
    EXPECT_TRUE(h.Find("iOSRecoveryLayout")->IsVisible());
    EXPECT_FALSE(h.Find("DetailList")->IsVisible());
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-export-banner.png"));
    EXPECT_TRUE(h.Click(h.Find("DetailBtn")));
    EXPECT_TRUE(h.Find("DetailList")->IsVisible());
    EXPECT_EQ(TextOf(w, "DetailBtn"), "Hide details");
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-export-done.png"));
    EXPECT_TRUE(h.Click(h.Find("DetailBtn")));
    EXPECT_FALSE(h.Find("DetailList")->IsVisible());
    EXPECT_EQ(TextOf(w, "DetailBtn"), "Show details");

    Services().opened.clear();
    EXPECT_TRUE(h.Click(h.Find("OpenBtn")));
    EXPECT_EQ(Services().opened, std::vector<std::string>{root});
    EXPECT_TRUE(h.Click(h.Find("FinishBtn")));
  });
  EXPECT_EQ(rc, 1);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_EQ(SnapshotFolder(scan.folder()), backupBefore);
}

TEST(RecoverWindow, AFailedCopyIsListedRedAtTheTopAndTheRunGoesOn) {
  AppHome home;
  auto settings = MakeSettings(home);
  TempFolder copy;
  const std::string backup = copy / "backup";
  fs::copy(AppHome::PlainBackup(), backup, fs::copy_options::recursive);
  ScannedBackup scan(backup);
  ASSERT_GE(scan.results().cameraRoll.size(), 2u);
  const MediaFileItem lost = scan.results().cameraRoll[1];
  ASSERT_TRUE(fs::remove(lost.path));

  TempFolder out;
  CRecoverProcessWnd window(*settings, scan.ExportInto(out.path()));
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CRecoverProcessWnd& w) {
    ASSERT_TRUE(WaitForEnd(w));
    UITestHarness h(w);
    h.Layout();
    const ExportCounts counts = w.Counts();
    EXPECT_EQ(counts.failed, 1);
    EXPECT_EQ(counts.done, counts.total);
    EXPECT_EQ(TextOf(w, "recovered"), CountsText(*settings, counts));
    const std::vector<Row> rows = Rows(w);
    ASSERT_EQ(rows.size(), static_cast<size_t>(counts.done));
    EXPECT_EQ(rows[0], (Row{"Camera Roll/" + lost.name, ExportStatusText(87), true}));
    for (size_t i = 1; i < rows.size(); ++i)
      EXPECT_EQ(rows[i].status, "Success") << rows[i].file;
    EXPECT_FALSE(fs::exists(out / ("Camera Roll/" + lost.name)));
    EXPECT_TRUE(fs::exists(out / ("Camera Roll/" + scan.results().cameraRoll[0].name)));
    // A run with failures ends on the list, failures first.
    EXPECT_TRUE(h.Find("DetailList")->IsVisible());
    EXPECT_EQ(TextOf(w, "LblBannerTitle"), FormatMessage(settings->Message("MSG1111"), {"1"}));
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-export-failed-row.png"));
    // Closing a finished window is finishing it.
    EXPECT_TRUE(h.Click(h.Find("closebtn")));
  });
  EXPECT_EQ(rc, 1);
  EXPECT_TRUE(script.unexpected.empty());
}

// Three photos of 1 MiB each: every copy reports after each 64 KiB, so a run can be held in the
// middle of the first.
class RecoverCancelTest : public ::testing::Test {
 protected:
  RecoverCancelTest() : settings_(MakeSettings(home_)), scan_(AppHome::PlainBackup()) {
    ScanResults& results = scan_.results();
    results.cameraRoll.clear();
    for (int i = 0; i < 3; ++i) {
      MediaFileItem item;
      item.name = "IMG_" + std::to_string(i) + ".JPG";
      item.path = photos_ / item.name;
      item.size = 1 << 20;
      WriteFile(item.path, std::string(item.size, static_cast<char>('a' + i)));
      results.cameraRoll.push_back(item);
    }
    CStatisticsObj& selection = scan_.selection();
    selection.Clear();
    selection.AddCategory(RecordCategory::kCameraRoll, {1 << 20, 1 << 20, 1 << 20});
  }

  std::vector<std::string> Copied() const {
    std::vector<std::string> names;
    if (fs::exists(out_ / "Camera Roll")) {
      for (const auto& entry : fs::directory_iterator(out_ / "Camera Roll"))
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  AppHome home_;
  std::unique_ptr<CSettings> settings_;
  ScannedBackup scan_;
  TempFolder photos_;
  TempFolder out_;
};

TEST_F(RecoverCancelTest, AnsweringNoGoesOnAndYesStopsWithThePartialFileGone) {
  CRecoverProcessWnd window(*settings_, scan_.ExportInto(out_.path()));
  // Held as the user holds it while asked: the worker stops at its first report, in the middle
  // of the first copy.
  std::unique_lock<std::recursive_mutex> hold(window.ReportLock());
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CRecoverProcessWnd& w) {
    // The first 64 KiB are written, and the worker waits at their report.
    ASSERT_TRUE(PumpUntil([&] {
      return fs::exists(out_ / "Camera Roll/IMG_0.JPG") &&
             fs::file_size(out_ / "Camera Roll/IMG_0.JPG") >= 65536;
    }));
    script.Then(Press("cancelbtn", settings_->Message("MSG1103")));
    ClickIn(w, "CancelBtn");
    EXPECT_EQ(w.GetState(), State::kRunning);
    EXPECT_TRUE(w.IsWindowVisible());
    EXPECT_EQ(Copied(), std::vector<std::string>{"IMG_0.JPG"});

    script.Then(Press("okbtn", settings_->Message("MSG1103")));
    UITestHarness(w).Key(UIKey::kEscape);
    EXPECT_EQ(w.GetState(), State::kCancelling);
    EXPECT_EQ(TextOf(w, "current"), settings_->Message("MSG1113"));
    hold.unlock();
    PumpUntil([&] { return w.IsClosed(); });
  });
  EXPECT_EQ(rc, 2);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_EQ(script.seen,
            (std::vector<std::string>{"UIRecoverProcessWnd", "UIMessageBox", "UIMessageBox"}));
  EXPECT_EQ(Copied(), std::vector<std::string>{});
}

TEST_F(RecoverCancelTest, AfterNoTheRunEndsAsUsual) {
  CRecoverProcessWnd window(*settings_, scan_.ExportInto(out_.path()));
  std::unique_lock<std::recursive_mutex> hold(window.ReportLock());
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CRecoverProcessWnd& w) {
    script.Then(Press("cancelbtn"));
    ClickIn(w, "closebtn");
    hold.unlock();
    ASSERT_TRUE(WaitForEnd(w));
    EXPECT_EQ(w.Counts(), (ExportCounts{3, 3, 3, 0}));
    ClickIn(w, "FinishBtn");
  });
  EXPECT_EQ(rc, 1);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_EQ(Copied(), (std::vector<std::string>{"IMG_0.JPG", "IMG_1.JPG", "IMG_2.JPG"}));
  EXPECT_EQ(ReadFile(out_ / "Camera Roll/IMG_2.JPG"), std::string(1 << 20, 'c'));
}

TEST(RecoverWindow, WhileRunningShowsTheCurrentFileAndTheListSoFar) {
  AppHome home;
  auto settings = MakeSettings(home);
  ScannedBackup scan(AppHome::PlainBackup());
  TempFolder out;
  CRecoverProcessWnd window(*settings, scan.ExportInto(out.path()));
  std::unique_lock<std::recursive_mutex> hold(window.ReportLock());
  ModalScript script;
  RunWindow(window, script, [&](CRecoverProcessWnd& w) {
    // Lets the worker on a little at a time until a few files are listed, then holds it.
    for (int step = 0; step < 100000 && w.Counts().done < 6; ++step) {
      hold.unlock();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      hold.lock();
    }
    UIApplication::Instance()->ProcessEvents();
    UITestHarness h(w);
    ClickIn(w, "DetailBtn");
    h.Layout();
    EXPECT_EQ(w.GetState(), State::kRunning);
    EXPECT_FALSE(TextOf(w, "current").empty());
    // The bar is the whole run's, not the last file's (which is whole): short of the end while
    // files are left. (How far the worker got within its slices depends on the machine.)
    const int percent = w.GetManager().Find<CProgressUI>("Progress")->GetValue();
    EXPECT_LT(percent, 100);
    EXPECT_EQ(TextOf(w, "percent"), "Current progress: " + std::to_string(percent) + "%");
    EXPECT_EQ(DetailList(w).GetCount(), w.Counts().done);
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-export-running.png"));
    hold.unlock();
    ASSERT_TRUE(WaitForEnd(w));
    ClickIn(w, "FinishBtn");
  });
  EXPECT_TRUE(script.unexpected.empty());
}

TEST(RecoverWindow, AnUnreadableTemplateStopsTheRunBeforeItBegins) {
  AppHome home;
  auto settings = MakeSettings(home);
  ScannedBackup scan(AppHome::PlainBackup());
  TempFolder program;
  fs::copy(ProgramFolder() + "template", program / "template", fs::copy_options::recursive);
  fs::remove(program / "template/contacts.html");
  ExportInputs inputs = scan.ExportInto(home.path() + "/out");
  inputs.programFolder = program.path() + "/";
  CRecoverProcessWnd window(*settings, std::move(inputs));
  ModalScript script;
  script.Then([&](CWindowWnd& box) {
    EXPECT_EQ(box.GetWindowClassName(), "UIMessageBox");
    EXPECT_EQ(box.GetWindowRect().Width(), 500);
    EXPECT_EQ(TextOf(box, "message"),
              FormatMessage(settings->Message("MSG1104"),
                            {program / "template/contacts.html", ExportStatusText(ENOENT)}));
    ClickIn(box, "okbtn");
  });
  script.Then([](CWindowWnd&) {});  // the window itself, closing already
  EXPECT_EQ(window.DoModal(nullptr, "", CRecoverProcessWnd::kWidth, CRecoverProcessWnd::kHeight),
            2);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_FALSE(fs::exists(home.path() + "/out"));
}

TEST(RecoverFlow, AsksForTheFolderAndRefusesOneInsideTheBackupOrNotWritable) {
  AppHome home;
  auto settings = MakeSettings(home);
  ScannedBackup scan(AppHome::PlainBackup());
  const FolderSnapshot backupBefore = SnapshotFolder(scan.folder());
  CWindowWnd anchor;
  ASSERT_TRUE(anchor.Create(nullptr, "owner", UIWindowKind::kMain, UIRect{0, 0, 400, 300}));
  // As the scan page's "Recover" calls it.
  auto Recover = [&] {
    return RecoverCheckedItems(anchor, *settings, scan.results(), scan.selection(),
                               scan.storedFiles(), scan.summary());
  };

  Services().pickTitles.clear();
  Services().folderToPick = "";
  EXPECT_EQ(Recover(), kRecoveryNoFolder);
  EXPECT_EQ(Services().pickTitles, std::vector<std::string>{settings->Message("MSG0509")});

  ModalScript script;
  const std::string inside = scan.folder() + "/Recovered";
  Services().folderToPick = inside;
  script.Then(Press("okbtn", FormatMessage(settings->Message("MSG1105"), {inside})));
  EXPECT_EQ(Recover(), kRecoveryRefused);

  const std::string missing = home.path() + "/no such folder";
  Services().folderToPick = missing;
  script.Then(Press(
      "okbtn", FormatMessage(settings->Message("MSG1107"), {missing, ExportStatusText(ENOENT)})));
  EXPECT_EQ(Recover(), kRecoveryRefused);

  TempFolder out;
  Services().folderToPick = out.path();
  script.Then([&](CWindowWnd& w) {
    auto& wnd = dynamic_cast<CRecoverProcessWnd&>(w);
    EXPECT_EQ(wnd.Destination(), out.path());
    ASSERT_TRUE(WaitForEnd(wnd));
    EXPECT_EQ(wnd.Counts().failed, 0);
    ClickIn(w, "FinishBtn");
  });
  EXPECT_EQ(Recover(), 1);
  EXPECT_TRUE(fs::exists(out / "Camera Roll"));
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_EQ(SnapshotFolder(scan.folder()), backupBefore);
  Services().folderToPick = "";
  anchor.Close(1);
  UIApplication::Instance()->ProcessEvents();
}

}  // namespace
}  // namespace zbe::test
