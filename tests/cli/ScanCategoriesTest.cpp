#include "cli/ScanCategories.h"

#include <gtest/gtest.h>

namespace zbe::cli {
namespace {

TEST(ScanCategories, NameEveryCategory) {
  std::string names;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    names += std::string(CategoryCliName(info.category)) + " ";
  }
  EXPECT_EQ(names,
            "camera-roll photo-stream app-photos app-videos messages message-attachments "
            "contacts call-history notes whatsapp whatsapp-attachments reminder calendar "
            "safari-bookmark ");
}

TEST(ScanCategories, ParseACommaSeparatedList) {
  CategorySet chosen;
  EXPECT_EQ(ParseCategoryList(" notes,camera-roll ,notes,", chosen), "");
  for (const RecordCategoryInfo& info : RecordCategories()) {
    EXPECT_EQ(chosen.Has(info.category), info.category == RecordCategory::kNotes ||
                                             info.category == RecordCategory::kCameraRoll)
        << info.name;
  }
  CategorySet untouched = CategorySet::All();
  EXPECT_EQ(ParseCategoryList("notes,Notes", untouched), "unknown category \"Notes\"");
  EXPECT_EQ(ParseCategoryList(" , ", untouched), "no category given");
  EXPECT_TRUE(untouched.Has(RecordCategory::kSafariBookmark));
}

}  // namespace
}  // namespace zbe::cli
