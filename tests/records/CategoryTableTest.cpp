#include "records/CategoryTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace zbe {
namespace {

TEST(RecordCategories, AreTheFourteenInPageOrder) {
  const auto& table = RecordCategories();
  for (int32_t i = 0; i < kRecordCategoryCount; ++i) {
    EXPECT_EQ(static_cast<int32_t>(table[i].category), i);
  }
  EXPECT_EQ(CategoryInfo(RecordCategory::kCameraRoll).optionControl, "OptCameraRoll");
  EXPECT_EQ(CategoryInfo(RecordCategory::kMessageAttachments).treeLabel, "Messages Attachments");
  EXPECT_EQ(CategoryInfo(RecordCategory::kWhatsApp).optionControl, "WhatsApp");
  EXPECT_EQ(CategoryInfo(RecordCategory::kSafariBookmark).optionControl, "SafariBookmark");
}

TEST(RecordCategories, OnlyTheLastThreeHaveNoReader) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    EXPECT_EQ(info.hasReader(), static_cast<int32_t>(info.category) < 11) << info.name;
  }
}

// What the scan, the selection and the export look up: a reader's category has a container, a
// statistics number that is its index + 1 and an export folder; the others have none of them.
TEST(RecordCategories, RowsAreConsistent) {
  std::set<std::string_view> cliNames;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    bool isRead = info.hasReader();
    EXPECT_EQ(info.statisticsNumber, static_cast<int32_t>(info.category) + 1) << info.name;
    EXPECT_EQ(std::holds_alternative<std::monostate>(info.container), !isRead) << info.name;
    EXPECT_EQ(info.shape == CategoryShape::kNone, !isRead) << info.name;
    EXPECT_EQ(info.exportFolder.empty(), !isRead) << info.name;
    EXPECT_TRUE(cliNames.insert(info.cliName).second) << info.cliName;
  }
  EXPECT_EQ(CategoryInfo(RecordCategory::kAppVideos).exportFolder, "App Video");
  EXPECT_EQ(CategoryInfo(RecordCategory::kPhotoStream).readStep, ReadStep::kCameraRoll);
}

TEST(RecordCategories, ClearingAThreadCategoryEmptiesItsMapAndRows) {
  ScanResults results;
  results.whatsApp[3].resize(2);
  results.chatRows.resize(1);
  results.notes.resize(4);
  ClearContainer(results, RecordCategory::kWhatsApp);
  ClearContainer(results, RecordCategory::kCalendar);
  EXPECT_TRUE(results.whatsApp.empty());
  EXPECT_TRUE(results.chatRows.empty());
  EXPECT_EQ(results.notes.size(), 4u);
}

}  // namespace
}  // namespace zbe
