#include "cli/SummaryOutput.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TestFiles.h"

namespace zbe::cli {
namespace {

TEST(SummaryToJson, UsesTheFieldNamesInOrderWithBooleanFlags) {
  BackupSummary summary;
  summary.encrypted = true;
  summary.lastBackupDate = "2020-01-31 23:10:05";
  summary.serialNumber = "S";
  summary.folderPath = "/b";
  summary.displayName = "Name";
  EXPECT_EQ(SummaryToJson(summary).dump(),
            "{\"encrypted\":true,\"modernVersion\":false,\"lastBackupDate\":\"2020-01-31 "
            "23:10:05\",\"phoneNumber\":\"\",\"serialNumber\":\"S\",\"folderPath\":\"/b\","
            "\"displayName\":\"Name\"}");
}

TEST(PrintJson, WritesBytesThatAreNotUtf8AsReplacementCharacters) {
  test::TempFolder temp;
  BackupSummary summary;
  summary.serialNumber = "bad\xFF";
  std::FILE* out = std::fopen((temp / "out").c_str(), "w");
  ASSERT_NE(out, nullptr);
  PrintJson(SummaryToJson(summary), out);
  std::fclose(out);
  std::string text = test::ReadFile(temp / "out");
  EXPECT_NE(text.find("\"serialNumber\": \"bad\xEF\xBF\xBD\""), std::string::npos) << text;
  EXPECT_EQ(text.back(), '\n');
}

TEST(OneLine, KeepsValuesInTheirField) {
  EXPECT_EQ(OneLine("a\tb\nc\r"), "a b c ");
  EXPECT_EQ(OneLine("caf\xC3\xA9"), "caf\xC3\xA9");
}

}  // namespace
}  // namespace zbe::cli
