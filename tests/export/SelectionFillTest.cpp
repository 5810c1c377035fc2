// Filling the selection statistics from a scan's results.

#include "export/SelectionFill.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

ScanResults SomeResults() {
  ScanResults results;
  results.cameraRoll = {{5000, "IMG_0001.JPG", "/b/1"}, {10, "IMG_0002.JPG", "/b/2"}};
  results.appPhotos["b.app"] = {{2048, "b.app", "x.png", "/b/3"}};
  results.appPhotos["a.app"] = {{100, "a.app", "y.png", "/b/4"}, {3000, "a.app", "z.png", "/b/5"}};
  MessageRecord row;
  row.handleId = 9;
  results.conversationRows = {row};
  row.handleId = 4;
  results.conversationRows.push_back(row);
  WhatsAppMessage chat;
  chat.chatId = 12;
  results.chatRows = {chat};
  results.contacts.resize(3);
  results.notes.resize(2);  // read by a scan that was stopped: not populated
  for (RecordCategory category :
       {RecordCategory::kCameraRoll, RecordCategory::kAppPhotos, RecordCategory::kMessages,
        RecordCategory::kWhatsApp, RecordCategory::kContacts, RecordCategory::kCalendar}) {
    results.categoryResults[static_cast<size_t>(category)] = 0;
  }
  return results;
}

TEST(FillSelection, AddsThePopulatedCategoriesAllChecked) {
  CStatisticsObj selection;
  selection.AddRecordCategory(RecordCategory::kNotes, 7);  // from an earlier scan
  FillSelection(SomeResults(), selection);
  EXPECT_TRUE(selection.HasCategory(RecordCategory::kCameraRoll));
  EXPECT_TRUE(selection.HasCategory(RecordCategory::kCalendar));
  EXPECT_FALSE(selection.HasCategory(RecordCategory::kNotes));
  EXPECT_FALSE(selection.HasCategory(RecordCategory::kPhotoStream));
  StatisticsTotals totals = selection.Totals();
  EXPECT_EQ(totals.totalCount, 2u + 3u + 2u + 1u + 3u);
  EXPECT_EQ(totals.checkedCount, totals.totalCount);
  // Sizes below 1024 bytes count as 1024.
  EXPECT_EQ(selection.CategoryTotals(RecordCategory::kCameraRoll).totalSize, 5000u + 1024u);
  EXPECT_EQ(selection.CategoryTotals(RecordCategory::kAppPhotos).totalSize, 2048u + 1024u + 3000u);
}

TEST(FillSelection, KeysThreadsAndOrdersAppsAsTheirGroups) {
  CStatisticsObj selection;
  FillSelection(SomeResults(), selection);
  std::vector<StatisticsEntry> messages = selection.Walk(RecordCategory::kMessages);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].threadKey, 9);
  EXPECT_EQ(messages[2].threadKey, 4);
  EXPECT_EQ(messages[2].index, 1u);
  EXPECT_EQ(selection.Walk(RecordCategory::kWhatsApp)[1].threadKey, 12);
  std::vector<std::string> apps;
  for (const StatisticsEntry& entry : selection.Walk(RecordCategory::kAppPhotos)) {
    if (entry.kind == StatisticsEntry::Kind::kAppFolder) {
      apps.push_back(entry.app);
    }
  }
  EXPECT_EQ(apps, (std::vector<std::string>{"a.app", "b.app"}));
}

TEST(AddScanCategory, ReplacesOneCategory) {
  CStatisticsObj selection;
  ScanResults results = SomeResults();
  AddScanCategory(results, RecordCategory::kContacts, selection);
  selection.SetItemChecked(RecordCategory::kContacts, 0, false);
  results.contacts.resize(5);
  AddScanCategory(results, RecordCategory::kContacts, selection);
  EXPECT_EQ(selection.CategoryTotals(RecordCategory::kContacts).checkedCount, 5u);
  EXPECT_EQ(selection.CategoryState(RecordCategory::kContacts), CheckState::kChecked);
}

}  // namespace
}  // namespace zbe
