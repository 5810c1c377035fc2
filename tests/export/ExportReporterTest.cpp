// The export's progress entry point: counts, the observer's calls, cancel, and the filter that
// writers and copies report through.

#include "export/ExportReporter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/ExportRecorder.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

using test::ExportRecorder;

TEST(ExportReporter, CountsFinishedFilesAndTellsTheObserver) {
  ExportRecorder recorder;
  ExportReporter reporter(&recorder);
  reporter.Start(3);
  EXPECT_EQ(reporter.Progress(40, "/out/a"), 0);
  EXPECT_EQ(reporter.Finished("/out/a", Result::Ok()), Result::Ok());
  EXPECT_EQ(reporter.Finished("/out/b", kMissingFile), Result::Ok());
  EXPECT_EQ(reporter.counts(), (ExportCounts{2, 3, 1, 1}));
  ASSERT_EQ(recorder.finished.size(), 2u);
  EXPECT_EQ(recorder.finished[0], (FinishedFile{"/out/a", 0, "Success"}));
  EXPECT_EQ(recorder.finished[1],
            (FinishedFile{"/out/b", 87, "A needed file is missing or could not be opened"}));
  EXPECT_EQ(recorder.finishedCounts[0], (ExportCounts{1, 3, 1, 0}));
  // Each finished file is followed by its 100 % report with the same counts.
  ASSERT_EQ(recorder.progress.size(), 3u);
  EXPECT_EQ(recorder.progress[0].percent, 40);
  EXPECT_EQ(recorder.progress[0].counts, (ExportCounts{0, 3, 0, 0}));
  EXPECT_EQ(recorder.progress[2].percent, 100);
  EXPECT_EQ(recorder.progress[2].path, "/out/b");
  EXPECT_EQ(recorder.progress[2].counts, (ExportCounts{2, 3, 1, 1}));
}

TEST(ExportReporter, AnswersStopAndListsNothingOnceCancelled) {
  ExportRecorder recorder;
  ExportReporter reporter(&recorder);
  reporter.Start(2);
  reporter.Finished("/out/a", Result::Ok());
  reporter.RequestCancel();
  EXPECT_TRUE(reporter.cancelled());
  EXPECT_EQ(reporter.Progress(50, "/out/b"), 2);
  EXPECT_EQ(reporter.Finished("/out/b", Result::Ok()), Result::Stopped());
  EXPECT_EQ(reporter.Finished("/out/c", Result::System(EIO)), Result::Stopped());
  EXPECT_EQ(reporter.counts(), (ExportCounts{1, 2, 1, 0}));
  EXPECT_EQ(recorder.finished.size(), 1u);
  EXPECT_EQ(recorder.progress.size(), 1u);
}

TEST(FileProgressFilter, PassesProgressAndLeavesTheWritersOwnFinishToTheRun) {
  ExportRecorder recorder;
  ExportReporter reporter(&recorder);
  reporter.Start(1);
  FileProgressFilter filter(reporter);
  EXPECT_EQ(filter.OnFileProgress(30, 0, "/out/a"), 0);
  EXPECT_EQ(filter.OnFileProgress(60, 28, "/out/a"), 0);
  EXPECT_EQ(filter.OnFileProgress(100, 0, "/out/a"), 0);
  EXPECT_EQ(filter.OnFileProgress(100, 28, "/out/a"), 0);
  EXPECT_TRUE(recorder.finished.empty());
  EXPECT_EQ(reporter.counts().done, 0);
  ASSERT_EQ(recorder.progress.size(), 2u);
  EXPECT_EQ(recorder.progress[1].percent, 60);
  reporter.RequestCancel();
  EXPECT_EQ(filter.OnFileProgress(70, 0, "/out/a"), 2);
  EXPECT_EQ(filter.OnFileProgress(100, 0, "/out/a"), 2);
  EXPECT_EQ(recorder.progress.size(), 2u);
}

}  // namespace
}  // namespace zbe
