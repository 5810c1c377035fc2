#include "export/CStatisticsObj.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

using Kind = StatisticsEntry::Kind;

constexpr auto kCamera = RecordCategory::kCameraRoll;
constexpr auto kApps = RecordCategory::kAppPhotos;

void ExpectTotals(const StatisticsTotals& totals, uint64_t checkedSize, uint64_t checkedCount,
                  uint64_t totalSize, uint64_t totalCount) {
  EXPECT_EQ(totals.checkedSize, checkedSize);
  EXPECT_EQ(totals.checkedCount, checkedCount);
  EXPECT_EQ(totals.totalSize, totalSize);
  EXPECT_EQ(totals.totalCount, totalCount);
}

TEST(CStatisticsObj, StartsEmptyWithNothingChecked) {
  CStatisticsObj stats;
  ExpectTotals(stats.Totals(), 0, 0, 0, 0);
  EXPECT_FALSE(stats.AnyChecked());
  EXPECT_FALSE(stats.HasCategory(kCamera));
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kUnchecked);
  EXPECT_TRUE(stats.Walk().empty());
}

TEST(CStatisticsObj, AddsACategoryFullyCheckedWithEveryItemAtLeast1024Bytes) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {0, 500, 1024, 5000});
  ExpectTotals(stats.Totals(), 1024 * 3 + 5000, 4, 1024 * 3 + 5000, 4);
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kChecked);
  EXPECT_TRUE(stats.AnyChecked());
  stats.AddRecordCategory(RecordCategory::kContacts, 5);
  stats.AddThreadCategory(RecordCategory::kMessages, {4, 9});
  ExpectTotals(stats.CategoryTotals(RecordCategory::kContacts), 5 * 1024, 5, 5 * 1024, 5);
  ExpectTotals(stats.CategoryTotals(RecordCategory::kMessages), 2048, 2, 2048, 2);
  ExpectTotals(stats.Totals(), 8072 + 7 * 1024, 11, 8072 + 7 * 1024, 11);
}

TEST(CStatisticsObj, UncheckingOneItemHalfChecksItsCategory) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {2048, 4096, 100});
  ASSERT_TRUE(stats.SetItemChecked(kCamera, 1, false));
  EXPECT_FALSE(stats.IsItemChecked(kCamera, 1));
  EXPECT_TRUE(stats.IsItemChecked(kCamera, 0));
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kHalfChecked);
  ExpectTotals(stats.Totals(), 2048 + 1024, 2, 2048 + 4096 + 1024, 3);
  ASSERT_TRUE(stats.SetItemChecked(kCamera, 0, false));
  ASSERT_TRUE(stats.SetItemChecked(kCamera, 2, false));
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kUnchecked);
  ExpectTotals(stats.Totals(), 0, 0, 2048 + 4096 + 1024, 3);
  EXPECT_FALSE(stats.AnyChecked());
  ASSERT_TRUE(stats.SetItemChecked(kCamera, 1, true));
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kHalfChecked);
  ExpectTotals(stats.Totals(), 4096, 1, 2048 + 4096 + 1024, 3);
}

TEST(CStatisticsObj, RepeatedChecksNeverLeaveTheRangeOfTheTotals) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {3000, 3000});
  for (int i = 0; i < 3; ++i) {
    stats.SetItemChecked(kCamera, 0, true);
    stats.SetCategoryChecked(kCamera, true);
  }
  ExpectTotals(stats.Totals(), 6000, 2, 6000, 2);
  for (int i = 0; i < 3; ++i) {
    stats.SetItemChecked(kCamera, 0, false);
    stats.SetCategoryChecked(kCamera, false);
  }
  ExpectTotals(stats.Totals(), 0, 0, 6000, 2);
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kUnchecked);
}

TEST(CStatisticsObj, CheckingACategoryChecksEveryItemOfIt) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {2000, 3000});
  stats.AddRecordCategory(RecordCategory::kNotes, 2);
  stats.SetItemChecked(kCamera, 0, false);
  ASSERT_TRUE(stats.SetCategoryChecked(kCamera, true));
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kChecked);
  ASSERT_TRUE(stats.SetCategoryChecked(RecordCategory::kNotes, false));
  EXPECT_FALSE(stats.IsItemChecked(RecordCategory::kNotes, 0));
  EXPECT_FALSE(stats.IsItemChecked(RecordCategory::kNotes, 1));
  EXPECT_EQ(stats.CategoryState(RecordCategory::kNotes), CheckState::kUnchecked);
  // The root sums the categories.
  ExpectTotals(stats.Totals(), 5000, 2, 5000 + 2048, 4);
  EXPECT_FALSE(stats.SetCategoryChecked(RecordCategory::kCalendar, true));
}

TEST(CStatisticsObj, AppFoldersCheckTheirFilesAndShowTheirOwnState) {
  CStatisticsObj stats;
  stats.AddAppCategory(kApps, {{"WhatsApp", {100, 5000}}, {"Camera+", {2000}}});
  ExpectTotals(stats.Totals(), 1024 + 5000 + 2000, 3, 1024 + 5000 + 2000, 3);
  EXPECT_EQ(stats.AppFolderState(kApps, "WhatsApp"), CheckState::kChecked);

  ASSERT_TRUE(stats.SetAppFolderChecked(kApps, "WhatsApp", false));
  EXPECT_EQ(stats.AppFolderState(kApps, "WhatsApp"), CheckState::kUnchecked);
  EXPECT_EQ(stats.AppFolderState(kApps, "Camera+"), CheckState::kChecked);
  EXPECT_EQ(stats.CategoryState(kApps), CheckState::kHalfChecked);
  ExpectTotals(stats.Totals(), 2000, 1, 8024, 3);

  ASSERT_TRUE(stats.SetAppItemChecked(kApps, "WhatsApp", 1, true));
  EXPECT_TRUE(stats.IsAppItemChecked(kApps, "WhatsApp", 1));
  EXPECT_FALSE(stats.IsAppItemChecked(kApps, "WhatsApp", 0));
  EXPECT_EQ(stats.AppFolderState(kApps, "WhatsApp"), CheckState::kHalfChecked);
  ExpectTotals(stats.Totals(), 7000, 2, 8024, 3);

  ASSERT_TRUE(stats.SetCategoryChecked(kApps, false));
  EXPECT_EQ(stats.AppFolderState(kApps, "Camera+"), CheckState::kUnchecked);
  ASSERT_TRUE(stats.SetCategoryChecked(kApps, true));
  EXPECT_EQ(stats.AppFolderState(kApps, "WhatsApp"), CheckState::kChecked);
  ExpectTotals(stats.Totals(), 8024, 3, 8024, 3);
}

TEST(CStatisticsObj, RefusesItemsAndFoldersThatDoNotExist) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {1});
  stats.AddAppCategory(kApps, {{"Maps", {1}}});
  EXPECT_FALSE(stats.SetItemChecked(kCamera, 1, false));
  EXPECT_FALSE(stats.SetItemChecked(RecordCategory::kPhotoStream, 0, false));
  EXPECT_FALSE(stats.SetItemChecked(kApps, 0, false));  // app files go through their folder
  EXPECT_FALSE(stats.SetAppItemChecked(kApps, "Maps", 1, false));
  EXPECT_FALSE(stats.SetAppItemChecked(kApps, "maps", 0, false));
  EXPECT_FALSE(stats.SetAppFolderChecked(kApps, "Other", false));
  EXPECT_FALSE(stats.SetAppFolderChecked(kCamera, "Maps", false));
  EXPECT_FALSE(stats.SetItemChecked(static_cast<RecordCategory>(99), 0, false));
  EXPECT_FALSE(stats.IsItemChecked(kCamera, 5));
  EXPECT_EQ(stats.AppFolderState(kApps, "Other"), CheckState::kUnchecked);
  ExpectTotals(stats.Totals(), 2048, 2, 2048, 2);
}

TEST(CStatisticsObj, AddingACategoryAgainReplacesIt) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {5000, 5000});
  stats.SetItemChecked(kCamera, 0, false);
  stats.AddCategory(kCamera, {2000});
  ExpectTotals(stats.Totals(), 2000, 1, 2000, 1);
  EXPECT_EQ(stats.CategoryState(kCamera), CheckState::kChecked);
}

TEST(CStatisticsObj, AnEmptyCategoryIsPresentUncheckedAndCountsNothing) {
  CStatisticsObj stats;
  stats.AddRecordCategory(RecordCategory::kCallHistory, 0);
  stats.AddAppCategory(RecordCategory::kAppVideos, {});
  EXPECT_TRUE(stats.HasCategory(RecordCategory::kCallHistory));
  EXPECT_EQ(stats.CategoryState(RecordCategory::kCallHistory), CheckState::kUnchecked);
  EXPECT_FALSE(stats.AnyChecked());
  std::vector<StatisticsEntry> entries = stats.Walk();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].kind, Kind::kCategory);
  EXPECT_EQ(entries[0].categoryNumber, 4);
  EXPECT_EQ(entries[1].categoryNumber, 8);
}

TEST(CStatisticsObj, MergesFoldersOfTheSameApp) {
  CStatisticsObj stats;
  stats.AddAppCategory(kApps, {{"Maps", {1}}, {"Notes", {2}}, {"Maps", {3000}}});
  std::vector<StatisticsEntry> entries = stats.Walk(kApps);
  ASSERT_EQ(entries.size(), 1u + 3u + 2u);
  EXPECT_EQ(entries[1].app, "Maps");
  EXPECT_EQ(entries[1].size, 1024u + 3000u);
  EXPECT_EQ(entries[3].index, 1u);
  EXPECT_EQ(entries[3].size, 3000u);
  EXPECT_EQ(entries[4].app, "Notes");
}

TEST(CStatisticsObj, ClearForgetsEverything) {
  CStatisticsObj stats;
  stats.AddCategory(kCamera, {1});
  stats.Clear();
  EXPECT_FALSE(stats.HasCategory(kCamera));
  ExpectTotals(stats.Totals(), 0, 0, 0, 0);
}

TEST(CStatisticsObj, WalksCategoriesInOrderWithItemsInContainerOrder) {
  CStatisticsObj stats;
  // Added in scan order, walked in category order.
  stats.AddRecordCategory(RecordCategory::kNotes, 1);
  stats.AddThreadCategory(RecordCategory::kWhatsApp, {12});
  stats.AddAppCategory(RecordCategory::kAppVideos, {{"Cam", {4000, 10}}});
  stats.AddThreadCategory(RecordCategory::kMessages, {3, 1});
  stats.AddCategory(kCamera, {2000});
  stats.SetItemChecked(RecordCategory::kMessages, 1, false);
  stats.SetAppItemChecked(RecordCategory::kAppVideos, "Cam", 0, false);

  struct Expected {
    Kind kind;
    int32_t number;
    bool checked;
    std::string app;
    size_t index;
    std::optional<int32_t> key;
    uint64_t size;
  };
  const std::vector<Expected> expected = {
      {Kind::kCategory, 1, true, "", 0, std::nullopt, 2000},
      {Kind::kItem, 1, true, "", 0, std::nullopt, 2000},
      {Kind::kCategory, 4, false, "", 0, std::nullopt, 5024},
      {Kind::kAppFolder, 4, false, "Cam", 0, std::nullopt, 5024},
      {Kind::kItem, 4, false, "Cam", 0, std::nullopt, 4000},
      {Kind::kItem, 4, true, "Cam", 1, std::nullopt, 1024},
      {Kind::kCategory, 5, false, "", 0, std::nullopt, 2048},
      {Kind::kItem, 5, true, "", 0, 3, 1024},
      {Kind::kItem, 5, false, "", 1, 1, 1024},
      {Kind::kCategory, 9, true, "", 0, std::nullopt, 1024},
      {Kind::kItem, 9, true, "", 0, std::nullopt, 1024},
      {Kind::kCategory, 10, true, "", 0, std::nullopt, 1024},
      {Kind::kItem, 10, true, "", 0, 12, 1024},
  };
  std::vector<StatisticsEntry> entries = stats.Walk();
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const StatisticsEntry& entry = entries[i];
    EXPECT_EQ(entry.kind, expected[i].kind);
    EXPECT_EQ(entry.IsContainer(), expected[i].kind != Kind::kItem);
    EXPECT_EQ(entry.categoryNumber, expected[i].number);
    EXPECT_EQ(static_cast<int32_t>(entry.category) + 1, expected[i].number);
    EXPECT_EQ(entry.checked, expected[i].checked);
    EXPECT_EQ(entry.app, expected[i].app);
    EXPECT_EQ(entry.index, expected[i].index);
    EXPECT_EQ(entry.threadKey, expected[i].key);
    EXPECT_EQ(entry.size, expected[i].size);
  }
  EXPECT_EQ(stats.Walk(RecordCategory::kMessages).size(), 3u);
  EXPECT_TRUE(stats.Walk(RecordCategory::kContacts).empty());
}

}  // namespace
}  // namespace zbe
