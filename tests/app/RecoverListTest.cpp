// The export window's list under load: the feed hands 100,000 reports over without the run ever
// waiting for the window, and the rows go in by batches, failures on top.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "export/windows/DetailRows.h"
#include "export/windows/RecoverFeed.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"

namespace zbe::test {
namespace {

constexpr int kFiles = 100000;

FinishedFile File(int i) {
  const bool failed = i % 100 == 7;
  return {"/out/Camera Roll/IMG_" + std::to_string(i) + ".JPG", failed ? 87 : 0,
          failed ? "missing" : "Success"};
}

TEST(RecoverFeed, HandsReportsOverInBatchesAndNeverWaitsForTheWindow) {
  std::atomic<int> wakes{0};
  RecoverFeed feed([&] { ++wakes; });
  // The window takes nothing while the run reports: the run still gets through.
  std::thread run([&] {
    for (int i = 0; i < kFiles; ++i) {
      ExportCounts counts{i + 1, kFiles, 0, 0};
      feed.OnFileFinished(File(i), counts);
      feed.OnProgress(100, File(i).path, counts);
    }
    feed.OnRunFinished(0, ExportCounts{kFiles, kFiles, kFiles - 1000, 1000});
  });
  run.join();
  EXPECT_EQ(wakes.load(), 1);

  RecoverFeed::Batch batch = feed.Take();
  ASSERT_EQ(batch.files.size(), static_cast<size_t>(kFiles));
  EXPECT_EQ(batch.files[12345], File(12345));
  EXPECT_TRUE(batch.progressed);
  EXPECT_EQ(batch.path, File(kFiles - 1).path);
  EXPECT_EQ(batch.counts, (ExportCounts{kFiles, kFiles, kFiles - 1000, 1000}));
  EXPECT_EQ(batch.result, 0);

  // Taken: the next report wakes again, and counts carry over to a batch without progress.
  feed.OnFileFinished(File(0), ExportCounts{1, 2, 1, 0});
  EXPECT_EQ(wakes.load(), 2);
  batch = feed.Take();
  EXPECT_FALSE(batch.progressed);
  EXPECT_FALSE(batch.result);
  EXPECT_EQ(batch.counts, (ExportCounts{1, 2, 1, 0}));
  EXPECT_EQ(feed.Take().counts, (ExportCounts{1, 2, 1, 0}));
}

TEST(DetailRows, AHundredThousandRowsGoInByBatchesWithFailuresOnTop) {
  CListUI list;
  const auto start = std::chrono::steady_clock::now();
  for (int first = 0; first < kFiles; first += 500) {
    std::vector<FinishedFile> batch;
    for (int i = first; i < first + 500; ++i)
      batch.push_back(File(i));
    AddDetailRows(list, batch, "/out");
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(10));
  ASSERT_EQ(list.GetCount(), kFiles);
  auto row = [&](int i) { return dynamic_cast<CListTextElementUI*>(list.GetItemAt(i)); };
  // 1,000 failures, the newest first, in red; then the successes in order.
  EXPECT_EQ(row(0)->GetText(0), "Camera Roll/IMG_99907.JPG");
  EXPECT_EQ(row(0)->GetText(1), "missing");
  EXPECT_EQ(row(0)->GetTextColor(), kFailedRowColor);
  EXPECT_EQ(row(999)->GetText(0), "Camera Roll/IMG_7.JPG");
  EXPECT_EQ(row(1000)->GetText(0), "Camera Roll/IMG_0.JPG");
  EXPECT_EQ(row(1000)->GetText(1), "Success");
  EXPECT_EQ(row(1000)->GetTextColor(), 0u);
  EXPECT_EQ(row(kFiles - 1)->GetText(0), "Camera Roll/IMG_99999.JPG");
  for (int i : {0, 999, 1000, 54321, kFiles - 1})
    EXPECT_EQ(dynamic_cast<IListItemUI*>(list.GetItemAt(i))->GetIndex(), i);
}

TEST(DetailRows, PathsShowBelowTheDestination) {
  EXPECT_EQ(DetailPath("/out/Notes/Notes_1.html", "/out"), "Notes/Notes_1.html");
  EXPECT_EQ(DetailPath("/out/Notes/Notes_1.html", "/out/"), "Notes/Notes_1.html");
  EXPECT_EQ(DetailPath("/outside/a.txt", "/out"), "/outside/a.txt");
  EXPECT_EQ(DetailPath("/out", "/out"), "/out");
  EXPECT_EQ(DetailPath("/x/a.txt", ""), "/x/a.txt");
}

}  // namespace
}  // namespace zbe::test
