#include "export/ExportProgress.h"

#include <gtest/gtest.h>

#include "backup/RecoveryCallbacks.h"
#include "backup/StoredFileCopy.h"
#include "export/ProgressRecorder.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ProgressRecorder;
using test::ProgressReport;
using test::TempFolder;
using test::WriteFile;

TEST(ExportProgressCallback, ForwardsReportsAndAnswersToTheObserver) {
  ProgressRecorder recorder(/*stopAt=*/1);
  EXPECT_EQ(ExportProgressCallback(&recorder, 40, 0, "/out/a"), 0);
  EXPECT_EQ(ExportProgressCallback(&recorder, 100, 5, "/out/b"), 2);
  EXPECT_EQ(recorder.reports, (std::vector<ProgressReport>{{40, 0, "/out/a"}, {100, 5, "/out/b"}}));
  EXPECT_EQ(ExportProgressCallback(nullptr, 100, 0, "/out/c"), 0);
}

TEST(ExportProgressCallback, LetsStoredFileCopiesReportToTheSameObserver) {
  TempFolder temp;
  WriteFile(temp / "stored", std::string(70000, 'p'));
  ProgressRecorder recorder;
  FileCopyCallback callback = ExportProgressCallback;
  std::string destination = temp / "out/Camera Roll/IMG_0001.JPG";
  ASSERT_EQ(CopyStoredFile(temp / "stored", destination, callback, &recorder), Result::Ok());
  EXPECT_EQ(recorder.reports,
            (std::vector<ProgressReport>{{93, 0, destination}, {100, 0, destination}}));
}

}  // namespace
}  // namespace zbe
