// The print page: template head and tail around the body, a missing template, cancel, no
// category, and the worker thread.

#include "export/PrintPage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "export/PrintFragments.h"
#include "export/SelectionFill.h"
#include "platform/FileSystem.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

class PrintPageTest : public ::testing::Test {
 protected:
  PrintPageTest() {
    NoteRecord note;
    note.title = "Shopping";
    note.date = "2021-02-03 04:05:06";
    note.body = "eggs";
    results_.notes = {note, note};
    results_.categoryResults[static_cast<size_t>(RecordCategory::kNotes)] = 0;
    FillSelection(results_, selection_);
    WriteFile(program_ / "template/Print.html", "<html><body>\n{|content|}\n</body></html>\n");
  }

  PrintInputs Inputs(std::optional<RecordCategory> category = RecordCategory::kNotes) {
    PrintInputs inputs;
    inputs.results = &results_;
    inputs.selection = &selection_;
    inputs.category = category;
    inputs.programFolder = program_.path() + "/";
    inputs.pagePath = PrintPagePath(inputs.programFolder);
    return inputs;
  }

  std::string Body() {
    std::string body;
    AppendNotesPrint(
        results_, selection_, [] { return false; }, body);
    return body;
  }

  ScanResults results_;
  CStatisticsObj selection_;
  TempFolder program_;
};

TEST_F(PrintPageTest, WritesHeadBodyAndTailToThePageFile) {
  PrintPageRun run(Inputs());
  EXPECT_EQ(run.Run(), Result::Ok());
  EXPECT_EQ(run.templateResult(), 0);
  EXPECT_TRUE(run.finished());
  EXPECT_EQ(PrintPagePath("/opt/zbe/"), "/opt/zbe/Print/page");
  EXPECT_EQ(ReadFile(program_ / "Print/page"), "<html><body>\n" + Body() + "\n</body></html>\n");
}

TEST_F(PrintPageTest, AMissingTemplateGivesTheBodyAlone) {
  RemovePath(program_ / "template/Print.html");
  PrintPageRun run(Inputs());
  EXPECT_EQ(run.Run(), Result::Ok());
  EXPECT_EQ(run.templateResult(), ENOENT);
  EXPECT_EQ(ReadFile(program_ / "Print/page"), Body());
}

TEST_F(PrintPageTest, OtherCategoriesGiveAnEmptyBody) {
  PrintPageRun run(Inputs(RecordCategory::kCameraRoll));
  EXPECT_EQ(run.Run(), Result::Ok());
  EXPECT_EQ(ReadFile(program_ / "Print/page"), "<html><body>\n\n</body></html>\n");
}

TEST_F(PrintPageTest, ACancelledPrintStillWritesThePage) {
  PrintPageRun run(Inputs());
  run.RequestCancel();
  EXPECT_EQ(run.Run(), Result::Stopped());
  EXPECT_EQ(ReadFile(program_ / "Print/page"), "<html><body>\n\n</body></html>\n");
}

TEST_F(PrintPageTest, HoldingTheBuildLockHoldsTheBuildBeforeItsNextRecord) {
  PrintPageRun run(Inputs());
  {
    std::lock_guard<std::recursive_mutex> asking(run.buildLock());
    ASSERT_EQ(run.Start(), Result::Ok());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(run.finished());
    run.RequestCancel();
  }
  EXPECT_EQ(run.Wait(), Result::Stopped());
  EXPECT_EQ(ReadFile(program_ / "Print/page"), "<html><body>\n\n</body></html>\n");
}

TEST_F(PrintPageTest, WritesNothingWithoutACategory) {
  PrintPageRun run(Inputs(std::nullopt));
  EXPECT_EQ(run.Run(), Result(kNothingToPrint));
  EXPECT_FALSE(PathExists(program_ / "Print"));
}

TEST_F(PrintPageTest, ReportsAPageThatCannotBeWritten) {
  WriteFile(program_ / "Print", "a file where the folder should be");
  PrintPageRun run(Inputs());
  EXPECT_EQ(run.Run(), Result::System(ENOTDIR));
}

TEST_F(PrintPageTest, RunsOnAWorkerThread) {
  PrintPageRun run(Inputs());
  EXPECT_TRUE(run.finished());
  ASSERT_EQ(run.Start(), Result::Ok());
  EXPECT_EQ(run.Start(), Result::System(EINVAL));
  EXPECT_EQ(run.Wait(), Result::Ok());
  EXPECT_TRUE(run.finished());
  EXPECT_EQ(ReadFile(program_ / "Print/page"), "<html><body>\n" + Body() + "\n</body></html>\n");
}

}  // namespace
}  // namespace zbe
