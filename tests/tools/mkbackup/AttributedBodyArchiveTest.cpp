#include "tools/mkbackup/AttributedBodyArchive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "records/AttributedBodyText.h"
#include "support/TestFiles.h"

namespace zbe::mkbackup {
namespace {

TEST(AttributedBodyArchive, IsWhatTheDeviceWritesForAPlainText) {
  const std::string real = std::string(ZBE_REALDATA_DIR) + "/typedstream/AttributedBodyTextOnly";
  if (!std::filesystem::exists(real)) {
    GTEST_SKIP() << "real sample data not found at " << real;
  }
  EXPECT_EQ(AttributedBodyArchive("Noter test"), test::ReadFile(real));
}

TEST(AttributedBodyArchive, HoldsTextsOfAnyLengthAndScript) {
  for (const std::string& text :
       {std::string(), std::string("Dinner at ours on Sunday? 🍝"), std::string(127, 'a'),
        std::string(128, 'b'), std::string(40000, 'c')}) {
    EXPECT_EQ(AttributedBodyText(AttributedBodyArchive(text)), text) << text.size();
  }
}

}  // namespace
}  // namespace zbe::mkbackup
