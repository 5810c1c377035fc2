// The print window over a real scan: each of the five record categories printed to a PDF with an
// unchecked item left out, the page removed at the end, closing while the page is built (no,
// then yes), Escape, and no category.

#include "export/windows/CPrintWnd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>

#include "app/MessageFormat.h"
#include "export/ExportStatusText.h"
#include "export/PrintFragments.h"
#include "export/windows/ScanPageActions.h"
#include "support/RunProgram.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/ScannedBackup.h"
#include "ui/LayoutsUI.h"
#include "ui/WebBrowserUI.h"

namespace zbe::test {
namespace {

namespace fs = std::filesystem;

using State = CPrintWnd::State;

// The page the print of "category" must write for "scan" as it is checked now.
std::string ExpectedPage(ScannedBackup& scan, RecordCategory category) {
  HtmlTemplate tmpl;
  EXPECT_EQ(LoadPrintTemplate(ProgramFolder(), tmpl), 0);
  std::string body;
  AppendPrintFragments(
      category, scan.results(), scan.selection(), [] { return false; }, body);
  return tmpl.head + body + tmpl.tail;
}

int RunWindow(CPrintWnd& window, ModalScript& script,
              const std::function<void(CPrintWnd&)>& whileOpen) {
  script.Then([&](CWindowWnd&) { whileOpen(window); });
  return window.DoModal(nullptr, "Print", CPrintWnd::kWidth, CPrintWnd::kHeight);
}

class PrintWindowTest : public ::testing::Test {
 protected:
  PrintWindowTest() : settings_(MakeSettings(home_)), scan_(AppHome::PlainBackup()) {}
  ~PrintWindowTest() override {
    Services().printToPdf.clear();
    Services().printResult = 1;
  }

  std::string PagePath() const { return work_ / "Print/page"; }

  AppHome home_;
  std::unique_ptr<CSettings> settings_;
  ScannedBackup scan_;
  TempFolder work_;
};

TEST_F(PrintWindowTest, PrintsEachRecordCategoryWithoutItsUncheckedItems) {
  for (RecordCategory category :
       {RecordCategory::kMessages, RecordCategory::kContacts, RecordCategory::kCallHistory,
        RecordCategory::kNotes, RecordCategory::kWhatsApp}) {
    SCOPED_TRACE(static_cast<int>(category));
    ASSERT_GE(scan_.selection().CategoryTotals(category).totalCount, 2u);
    const std::string everything = ExpectedPage(scan_, category);
    ASSERT_TRUE(scan_.selection().SetItemChecked(category, 0, false));
    const std::string expected = ExpectedPage(scan_, category);
    EXPECT_NE(expected, everything);  // the unchecked thread or record is not on the page

    const std::string pdf = work_ / "printed.pdf";
    fs::remove(pdf);
    Services().printToPdf = pdf;
    Services().printedTitles.clear();
    CPrintWnd window(*settings_, scan_.PrintOf(category, PagePath()));
    ModalScript script;
    const int rc = RunWindow(window, script, [&](CPrintWnd& w) {
      ASSERT_TRUE(PumpUntil([&] { return w.LastPrintResult() != 0; }));
      EXPECT_EQ(w.GetState(), State::kShown);
      EXPECT_EQ(w.LastPrintResult(), 1);
      EXPECT_EQ(Services().printedTitles,
                std::vector<std::string>{"Zorvane Backup Extractor - Print"});
      EXPECT_EQ(ReadFile(PagePath()), expected);
      UITestHarness h(w);
      EXPECT_EQ(w.GetManager().Find<CTabLayoutUI>("PrintTabPage")->GetCurSel(), 1);
      auto* browser = w.GetManager().Find<CWebBrowserUI>("WebPagePrint");
      EXPECT_EQ(browser->GetLocationURL(), PagePath());
      EXPECT_NE(browser->GetDocumentText().find("Zorvane Backup Extractor"), std::string::npos);
      if (category == RecordCategory::kMessages) {
        EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-print.png"));
        ProgramResult png =
            RunProgram("/usr/bin/pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1",
                                             "-singlefile", pdf, ShotsDir() + "/app-print-page1"});
        EXPECT_EQ(png.status, 0) << png.err;
        EXPECT_TRUE(fs::exists(ShotsDir() + "/app-print-page1.png"));
      }
      ClickIn(w, "closebtn");
    });
    EXPECT_EQ(rc, 1);
    EXPECT_TRUE(script.unexpected.empty());
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(fs::file_size(pdf), 1000u);
    EXPECT_FALSE(fs::exists(PagePath()));
    EXPECT_FALSE(fs::exists(work_ / "Print"));
  }
}

TEST_F(PrintWindowTest, TheScanPagesPrintWritesThePageInTheWorkFolderAndRemovesIt) {
  CWindowWnd anchor;
  ASSERT_TRUE(anchor.Create(nullptr, "owner", UIWindowKind::kMain, UIRect{0, 0, 400, 300}));
  Services().printToPdf = work_ / "notes.pdf";
  ModalScript script;
  script.Then([&](CWindowWnd& w) {
    auto& wnd = dynamic_cast<CPrintWnd&>(w);
    EXPECT_EQ(w.GetWindowRect().Width(), 800);
    EXPECT_EQ(w.GetWindowRect().Height(), 600);
    ASSERT_TRUE(PumpUntil([&] { return wnd.LastPrintResult() != 0; }));
    EXPECT_EQ(ReadFile(PagePath()), ExpectedPage(scan_, RecordCategory::kNotes));
    ClickIn(w, "closebtn");
  });
  EXPECT_EQ(PrintCheckedRecords(anchor, *settings_, scan_.results(), scan_.selection(),
                                RecordCategory::kNotes, work_.path() + "/"),
            1);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_TRUE(fs::exists(work_ / "notes.pdf"));
  EXPECT_FALSE(fs::exists(work_ / "Print"));
  anchor.Close(1);
  UIApplication::Instance()->ProcessEvents();
}

TEST_F(PrintWindowTest, ClosingWhileTheBuildRunsAsksAndYesStopsIt) {
  CPrintWnd window(*settings_, scan_.PrintOf(RecordCategory::kMessages, PagePath()));
  // Held as the close question holds it: the build waits before its first record.
  std::unique_lock<std::recursive_mutex> hold(window.BuildLock());
  Services().printedTitles.clear();
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CPrintWnd& w) {
    UITestHarness h(w);
    h.Layout();
    EXPECT_EQ(w.GetState(), State::kBuilding);
    EXPECT_EQ(w.GetManager().Find<CTabLayoutUI>("PrintTabPage")->GetCurSel(), 0);
    EXPECT_TRUE(h.Find("BtnGifPrintLoading")->IsVisible());
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-print-loading.png"));
    script.Then(Press("cancelbtn", settings_->Message("MSG0903")));
    ClickIn(w, "closebtn");
    EXPECT_EQ(w.GetState(), State::kBuilding);
    EXPECT_FALSE(w.IsClosed());
    script.Then(Press("okbtn", settings_->Message("MSG0903")));
    ClickIn(w, "closebtn");
    EXPECT_EQ(w.GetState(), State::kCancelling);
    hold.unlock();
    PumpUntil([&] { return w.IsClosed(); });
  });
  EXPECT_EQ(rc, 2);
  EXPECT_TRUE(script.unexpected.empty());
  EXPECT_TRUE(Services().printedTitles.empty());
  EXPECT_FALSE(fs::exists(PagePath()));
}

TEST_F(PrintWindowTest, EscapeClosesAtOnceEvenWhileBuilding) {
  CPrintWnd window(*settings_, scan_.PrintOf(RecordCategory::kNotes, PagePath()));
  std::unique_lock<std::recursive_mutex> hold(window.BuildLock());
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CPrintWnd& w) {
    EXPECT_EQ(w.GetState(), State::kBuilding);
    UITestHarness(w).Key(UIKey::kEscape);
    EXPECT_TRUE(w.IsClosed());
  });
  hold.unlock();
  EXPECT_EQ(rc, 2);
  EXPECT_TRUE(script.unexpected.empty());
}

TEST_F(PrintWindowTest, WithoutACategoryItSaysWhatToChoose) {
  Services().printedTitles.clear();
  CPrintWnd window(*settings_, scan_.PrintOf(std::nullopt, PagePath()));
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CPrintWnd& w) {
    ASSERT_TRUE(PumpUntil([&] { return w.GetState() == State::kNothing; }));
    EXPECT_EQ(TextOf(w, "LblPrintLoading"), settings_->Message("MSG0906"));
    UITestHarness h(w);
    EXPECT_FALSE(h.Find("BtnGifPrintLoading")->IsVisible());
    EXPECT_TRUE(h.RenderToPng(ShotsDir() + "/app-print-nothing.png"));
    ClickIn(w, "closebtn");
  });
  EXPECT_EQ(rc, 1);
  EXPECT_TRUE(Services().printedTitles.empty());
  EXPECT_FALSE(fs::exists(PagePath()));
}

TEST_F(PrintWindowTest, AFailedPrintIsReported) {
  Services().printResult = EIO;
  CPrintWnd window(*settings_, scan_.PrintOf(RecordCategory::kNotes, PagePath()));
  ModalScript script;
  const int rc = RunWindow(window, script, [&](CPrintWnd& w) {
    script.Then(
        Press("okbtn", FormatMessage(settings_->Message("MSG0904"), {ExportStatusText(EIO)})));
    ASSERT_TRUE(PumpUntil([&] { return w.LastPrintResult() != 0; }));
    EXPECT_EQ(w.LastPrintResult(), EIO);
    ClickIn(w, "closebtn");
  });
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(script.seen, (std::vector<std::string>{"UIPrintWnd", "UIMessageBox"}));
  EXPECT_TRUE(script.unexpected.empty());
}

}  // namespace
}  // namespace zbe::test
