// "zbe list": discovery from the command line.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunProgram.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::RunProgram;
using test::TempFolder;

class ListCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test::MobileSyncRootIn(home_.path());
    test::WriteSample(test::MakeSample(1, 1580512205), root_ + "/older");  // 2020-01-31 23:10:05
    mkbackup::SampleBackup newer = test::MakeSample(2, 1622541600);        // 2021-06-01 10:00:00
    newer.device().displayName = "New\tPhone";
    test::WriteSample(newer, root_ + "/newer", mkbackup::ManifestLayout::kMbdb);
    // An encrypted backup: its address book is not readable as SQLite.
    mkbackup::SampleBackup locked = test::MakeSample(3, 1600000000);  // 2020-09-13 12:26:40
    locked.AddFile("HomeDomain", "Library/AddressBook/AddressBook.sqlitedb", "\x8F\x11garbled");
    test::WriteSample(locked, root_ + "/locked");
    test::WriteFile(root_ + "/stray.txt", "");
    newerSerial_ = newer.device().serialNumber;
  }

  test::ProgramResult List(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "list");
    return RunProgram("zbe", arguments, {{"XDG_DATA_HOME", home_.path()}, {"TZ", "UTC"}});
  }

  TempFolder home_;
  std::string root_;
  std::string newerSerial_;
};

TEST_F(ListCommandTest, PrintsOneTabSeparatedLinePerBackupNewestFirst) {
  auto result = List({});
  ASSERT_EQ(result.status, 0) << result.err;
  std::string expectedFirst =
      "2021-06-01 10:00:00\tNew Phone\t" + newerSerial_ + "\tplain\t" + root_ + "/newer\n";
  EXPECT_EQ(result.out.substr(0, expectedFirst.size()), expectedFirst);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = result.out.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(result.out.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 20), "2020-09-13 12:26:40\t");
  EXPECT_NE(lines[1].find("\tencrypted\t" + root_ + "/locked"), std::string::npos);
  EXPECT_EQ(lines[2].substr(0, 20), "2020-01-31 23:10:05\t");
  EXPECT_NE(lines[2].find("\tplain\t" + root_ + "/older"), std::string::npos);
}

TEST_F(ListCommandTest, PrintsAJsonArrayOfSummaries) {
  auto result = List({"--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto list = nlohmann::json::parse(result.out);
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]["displayName"], "New\tPhone");
  EXPECT_EQ(list[0]["folderPath"], root_ + "/newer");
  EXPECT_EQ(list[1]["encrypted"], true);
  EXPECT_EQ(list[2]["encrypted"], false);
  EXPECT_EQ(list[2]["modernVersion"], true);
  EXPECT_EQ(list[2]["lastBackupDate"], "2020-01-31 23:10:05");
  EXPECT_EQ(list[2].size(), 7u);
}

TEST_F(ListCommandTest, ListsAnotherRoot) {
  TempFolder other;
  test::WriteSample(test::MakeSample(4, 1580512205), other / "only");
  auto result = List({"--root", other.path(), "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto list = nlohmann::json::parse(result.out);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["folderPath"], other / "only");
}

TEST_F(ListCommandTest, AnEmptyOrMissingDefaultRootIsNoError) {
  TempFolder empty;
  auto result = RunProgram("zbe", {"list", "--json"}, {{"XDG_DATA_HOME", empty.path()}});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "[]\n");
  EXPECT_NE(result.err.find("no backups"), std::string::npos);
}

TEST_F(ListCommandTest, AMissingRootGivenByTheUserIsAnError) {
  auto result = List({"--root", home_ / "nowhere"});
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find("cannot list"), std::string::npos);
  EXPECT_EQ(result.out, "");
}

TEST_F(ListCommandTest, ExplainsItsUsage) {
  auto help = List({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: zbe list"), std::string::npos);
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--bogus"}, {"--root"}, {"extra"}, {"--json=1"}}) {
    auto result = List(bad);
    EXPECT_EQ(result.status, 1) << bad[0];
    EXPECT_NE(result.err.find("usage: zbe list"), std::string::npos);
    EXPECT_EQ(result.out, "");
  }
}

TEST(ZbeProgram, NeedsAKnownCommand) {
  auto none = RunProgram("zbe", {});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("usage: zbe"), std::string::npos);
  auto unknown = RunProgram("zbe", {"scan-everything"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
  auto help = RunProgram("zbe", {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("info FOLDER"), std::string::npos);
}

}  // namespace
}  // namespace zbe
