// zbe export's view of a run: the files it keeps, failure lines and the closing line.

#include "cli/ExportProgressView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace zbe::cli {
namespace {

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    text += static_cast<char>(c);
  }
  return text;
}

TEST(ExportProgressView, KeepsEveryFileAndWritesALinePerFailure) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), std::fclose);
  ASSERT_TRUE(err);
  ExportProgressView view(err.get());
  view.OnProgress(50, "/out/a", ExportCounts{0, 2, 0, 0});
  view.OnFileFinished(FinishedFile{"/out/a", 0, "Success"}, ExportCounts{1, 2, 1, 0});
  view.OnFileFinished(FinishedFile{"/out/b", 28, "No space left on device"},
                      ExportCounts{2, 2, 1, 1});
  view.Finish();
  // Not a terminal: no status line, only the failure.
  EXPECT_EQ(Contents(err.get()), "zbe export: failed: /out/b: No space left on device\n");
  ASSERT_EQ(view.files().size(), 2u);
  EXPECT_EQ(view.files()[1].path, "/out/b");
}

TEST(ExportProgressView, FormatsTheStatusAndClosingLines) {
  EXPECT_EQ(ExportProgressView::SummaryLine(ExportCounts{7, 9, 5, 2}),
            "Exported 7 of 9: 5 succeeded, 2 failed");
  EXPECT_EQ(ExportProgressView::StatusLine(ExportCounts{3, 9, 3, 0}, 42),
            "exporting: 3 of 9 done, 0 failed (current file  42%)");
}

}  // namespace
}  // namespace zbe::cli
