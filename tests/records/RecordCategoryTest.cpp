#include "records/RecordCategory.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(info.hasReader, static_cast<int32_t>(info.category) < 11) << info.name;
  }
}

}  // namespace
}  // namespace zbe
