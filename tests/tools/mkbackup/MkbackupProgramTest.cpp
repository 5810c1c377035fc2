// The mkbackup program: its options and exit statuses.

#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::RunProgram;
using test::TempFolder;

TEST(MkbackupProgram, WritesABackupWithTheGivenOptions) {
  TempFolder temp;
  auto result = RunProgram(
      "mkbackup", {temp / "b", "--name", "Kid's Phone", "--date", "2019-07-04T12:00:00Z",
                   "--product-version", "12.1.2", "--seed", "77", "--udid", std::string(40, 'c')});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(temp / "b"), std::string::npos);
  std::string info = ReadFile(temp / "b/Info.plist");
  EXPECT_NE(info.find("<string>Kid's Phone</string>"), std::string::npos);
  EXPECT_NE(info.find("<date>2019-07-04T12:00:00Z</date>"), std::string::npos);
  EXPECT_NE(info.find("<string>12.1.2</string>"), std::string::npos);
  EXPECT_NE(info.find("<string>" + std::string(40, 'c') + "</string>"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(temp / "b/Manifest.db"));
}

TEST(MkbackupProgram, WritesTheMbdbLayoutOfAnOlderDevice) {
  TempFolder temp;
  auto result = RunProgram("mkbackup", {temp / "b", "--layout", "mbdb"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(std::filesystem::exists(temp / "b/Manifest.mbdb"));
  EXPECT_NE(ReadFile(temp / "b/Info.plist").find("<string>9.3.5</string>"), std::string::npos);
}

TEST(MkbackupProgram, RejectsBadArgumentsWithUsage) {
  TempFolder temp;
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {},
           {temp / "b", "--layout", "zip"},
           {temp / "b", "--date", "2020-02-30T00:00:00Z"},
           {temp / "b", "--date", "yesterday"},
           {temp / "b", "--seed", "-1"},
           {temp / "b", "--udid", "XYZ"},
           {temp / "b", "--frobnicate"},
           {temp / "b", "--seed"},
           {temp / "b", temp / "c"},
           {temp / "b", "--scale", "0"},
           {temp / "b", "--scale", "10001"},
           {temp / "b", "--scale", "x"},
           {temp / "b", "--encrypt"},
           {temp / "b", "--encrypt", ""},
           {temp / "b", "--encrypt", "pw", "--iterations", "0"},
           {temp / "b", "--encrypt", "pw", "--iterations", "many"},
           {temp / "b", "--iterations", "10"},
           {temp / "b", "--legacy-keybag"},
       }) {
    auto result = RunProgram("mkbackup", arguments);
    EXPECT_EQ(result.status, 1) << testing::PrintToString(arguments);
    EXPECT_NE(result.err.find("usage: mkbackup"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(temp / "b"));
  auto help = RunProgram("mkbackup", {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--layout"), std::string::npos);
}

TEST(MkbackupProgram, ScalesTheGeneratedData) {
  TempFolder temp;
  auto one = RunProgram("mkbackup", {temp / "one"});
  auto three = RunProgram("mkbackup", {temp / "three", "--scale", "3"});
  ASSERT_EQ(one.status, 0) << one.err;
  ASSERT_EQ(three.status, 0) << three.err;
  auto rows = [](const std::string& out) {
    size_t open = out.find(", ");
    return std::stoul(out.substr(open + 2));
  };
  EXPECT_GT(rows(three.out), 2 * rows(one.out));
}

TEST(MkbackupProgram, RefusesAFolderThatIsNotEmpty) {
  TempFolder temp;
  test::WriteFile(temp / "b/keep", "x");
  auto result = RunProgram("mkbackup", {temp / "b"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("not empty"), std::string::npos);
}

TEST(MkbackupProgram, WritesAnEncryptedBackupOfEitherKeybagKind) {
  TempFolder temp;
  auto modern = RunProgram("mkbackup", {temp / "m", "--encrypt", "pw", "--iterations", "10"});
  ASSERT_EQ(modern.status, 0) << modern.err;
  EXPECT_NE(modern.out.find("an encrypted backup"), std::string::npos);
  auto legacy = RunProgram("mkbackup", {temp / "l", "--layout", "mbdb", "--encrypt", "pw",
                                        "--legacy-keybag", "--iterations", "10"});
  ASSERT_EQ(legacy.status, 0) << legacy.err;
  EXPECT_NE(legacy.out.find("older keybag"), std::string::npos);
  // The keybags themselves are checked in EncryptedWriterTest; here only that they differ.
  EXPECT_NE(ReadFile(temp / "m/Manifest.plist").find("DPIC"), std::string::npos);
  EXPECT_EQ(ReadFile(temp / "l/Manifest.plist").find("DPIC"), std::string::npos);
  EXPECT_NE(ReadFile(temp / "m/Manifest.db").substr(0, 6), "SQLite");
  EXPECT_EQ(ReadFile(temp / "l/Manifest.mbdb").substr(0, 4), "mbdb");
}

TEST(MkbackupProgram, RefusesToEncryptIntoAFolderThatIsNotEmpty) {
  TempFolder temp;
  test::WriteFile(temp / "b/keep", "x");
  auto result = RunProgram("mkbackup", {temp / "b", "--encrypt", "pw", "--iterations", "10"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("not empty"), std::string::npos);
  EXPECT_EQ(ReadFile(temp / "b/keep"), "x");
}

}  // namespace
}  // namespace zbe
