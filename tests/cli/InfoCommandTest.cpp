// "zbe info": the summary of one folder.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunProgram.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::RunProgram;
using test::TempFolder;

test::ProgramResult Info(std::vector<std::string> arguments, const char* tz = "UTC") {
  arguments.insert(arguments.begin(), "info");
  return RunProgram("zbe", arguments, {{"TZ", tz}});
}

TEST(InfoCommand, PrintsEveryFieldOnItsOwnLine) {
  TempFolder temp;
  mkbackup::SampleBackup sample = test::MakeSample(1, 1580512205);
  test::WriteSample(sample, temp / "b");
  auto result = Info({temp / "b"}, "XXX-1");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "encrypted\tfalse\n"
            "modernVersion\ttrue\n"
            "lastBackupDate\t2020-02-01 00:10:05\n"
            "phoneNumber\t" +
                sample.device().phoneNumber + "\n" + "serialNumber\t" +
                sample.device().serialNumber + "\n" + "folderPath\t" + temp / "b" + "\n" +
                "displayName\tiPhone\n");
}

TEST(InfoCommand, PrintsAJsonObject) {
  TempFolder temp;
  test::WriteSample(test::MakeSample(1, 1580512205), temp / "b");
  auto result = Info({"--json", temp / "b"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto summary = nlohmann::json::parse(result.out);
  EXPECT_EQ(summary["encrypted"], false);
  EXPECT_EQ(summary["modernVersion"], true);
  EXPECT_EQ(summary["lastBackupDate"], "2020-01-31 23:10:05");
  EXPECT_EQ(summary["folderPath"], temp / "b");
  EXPECT_EQ(summary["displayName"], "iPhone");
}

TEST(InfoCommand, ReadsTheRealBinaryInfoPlist) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  if (!std::filesystem::exists(folder + "/Info.plist")) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  auto result = Info({folder, "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto summary = nlohmann::json::parse(result.out);
  EXPECT_EQ(summary["displayName"], "iPhone");
  EXPECT_EQ(summary["serialNumber"], "F1234567890");
  EXPECT_EQ(summary["lastBackupDate"], "2021-12-03 19:33:13");
}

TEST(InfoCommand, FailsWithStatus3WithoutInfoPlist) {
  TempFolder temp;
  auto empty = Info({temp.path()});
  EXPECT_EQ(empty.status, 3);
  EXPECT_NE(empty.err.find("no readable Info.plist"), std::string::npos);
  EXPECT_EQ(empty.out, "");
  auto missing = Info({temp / "nowhere", "--json"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("is not a folder"), std::string::npos);
}

TEST(InfoCommand, ExplainsItsUsage) {
  auto help = Info({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: zbe info FOLDER"), std::string::npos);
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"--root", "x"}, {"--jsn", "a"}}) {
    auto result = Info(bad);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("usage: zbe info"), std::string::npos);
  }
}

}  // namespace
}  // namespace zbe
