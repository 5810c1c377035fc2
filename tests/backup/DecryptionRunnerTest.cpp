#include "backup/DecryptionRunner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "records/ResultCodes.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

// True while "pid" names a process that has not ended (a zombie has ended).
bool IsRunning(const std::string& pid) {
  std::string stat = ReadFile("/proc/" + pid + "/stat");
  size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs the fake tool (tests/backup/fakes) through RunDecryption on a small backup folder.
class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(root_ / "backup/Manifest.plist", "plist");
    WriteFile(root_ / "backup/Manifest.db", "db");
    std::filesystem::create_directories(root_ / "work");
    std::filesystem::create_directories(root_ / "log");
    run_.toolSource = ZBE_FAKE_TOOL;
    run_.toolCopy = root_ / "work/tool";
    run_.backupFolder = root_ / "backup";
    run_.outputFolder = root_ / "temp/ZorvaneBackupPath";
    run_.fileTotal = 10;
    run_.stepWeight = 10;
  }

  // Runs the tool with "script"; every report is recorded, and the report numbered "stopAt"
  // (from 1) is answered with 2.
  Result Run(const std::string& script, const std::string& password = "secret", size_t stopAt = 0) {
    ScopedEnv scriptEnv("ZBE_FAKE_TOOL_SCRIPT", script.c_str());
    ScopedEnv logEnv("ZBE_FAKE_TOOL_LOG", (root_ / "log").c_str());
    return RunDecryption(run_, password, running_, [&](int32_t progress) {
      reports_.push_back(progress);
      if (onReport_) {
        onReport_();
      }
      return reports_.size() == stopAt ? kResultStopped : kResultOk;
    });
  }

  // The reports without the ones made while the tool was quiet (the running progress again, or
  // 0 before the first count), which depend on timing.
  std::vector<int32_t> SteadyReports() const {
    std::vector<int32_t> steady;
    for (int32_t report : reports_) {
      if ((steady.empty() && report == 0) || (!steady.empty() && steady.back() == report)) {
        continue;
      }
      steady.push_back(report);
    }
    return steady;
  }

  std::string Logged(const std::string& name) const { return ReadFile(root_ / "log/" + name); }

  TempFolder root_;
  DecryptionRun run_;
  int32_t running_ = 0;
  std::vector<int32_t> reports_;
  std::function<void()> onReport_;
};

TEST(InstallToolCopy, WritesTheExecutableMagicAndMakesThePrivateCopyRunnable) {
  TempFolder root;
  WriteFile(root / "tool", "MZ rest of the program");
  WriteFile(root / "work/tool", "an older, longer copy of the tool");
  ASSERT_EQ(InstallToolCopy(root / "tool", root / "work/tool"), 0);
  EXPECT_EQ(ReadFile(root / "work/tool"),
            "\x7f"
            "E rest of the program");
  struct stat info {};
  ASSERT_EQ(stat((root / "work/tool").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(ReadFile(root / "tool"), "MZ rest of the program");  // the source stays
  // An intact program is copied byte for byte.
  ASSERT_EQ(InstallToolCopy(ZBE_FAKE_TOOL, root / "work/tool"), 0);
  EXPECT_EQ(ReadFile(root / "work/tool"), ReadFile(ZBE_FAKE_TOOL));
}

TEST(InstallToolCopy, AMissingToolLeavesNothingHalfWritten) {
  TempFolder root;
  std::filesystem::create_directories(root / "work");
  EXPECT_EQ(InstallToolCopy(root / "tool", root / "work/tool"), ENOENT);
  EXPECT_TRUE(Entries(root / "work").empty());
  EXPECT_EQ(InstallToolCopy(ZBE_FAKE_TOOL, ""), ENOENT);
}

TEST(ToolArguments, AreTheCopyAndTheTwoFoldersWholeAndNeverThePassword) {
  EXPECT_EQ(ToolArguments("/w/tool", "/home/u/My Backups/abc", "/t/Zorvane Temp/ZorvaneBackupPath"),
            (std::vector<std::string>{"/w/tool", "/home/u/My Backups/abc",
                                      "/t/Zorvane Temp/ZorvaneBackupPath"}));
}

TEST(ListBackupFiles, TakesFilesAndOneLevelOfEachFolder) {
  TempFolder root;
  WriteFile(root / "b/Info.plist", "");
  WriteFile(root / "b/Manifest.db", "");
  WriteFile(root / "b/0a/0a11", "");
  WriteFile(root / "b/0a/0a22", "");
  WriteFile(root / "b/ff/deeper/not-counted", "");
  WriteFile(root / "b/.hidden", "");
  std::vector<std::string> files;
  ListBackupFiles(root / "b", files);
  EXPECT_EQ(files,
            (std::vector<std::string>{root / "b/0a/0a11", root / "b/0a/0a22", root / "b/ff/deeper",
                                      root / "b/Info.plist", root / "b/Manifest.db"}));
  files.clear();
  ListBackupFiles(root / "missing", files);
  EXPECT_TRUE(files.empty());
}

TEST_F(RunnerTest, HandsThePasswordOverOnStandardInputOnly) {
  const std::string password = "correct horse " + std::string(242, 'x');  // 256 characters
  std::string commandLine;
  onReport_ = [&] {
    if (commandLine.empty() && !Logged("pid").empty()) {
      commandLine = ReadFile("/proc/" + Logged("pid") + "/cmdline");
    }
  };
  EXPECT_EQ(Run("out:Count: 1\\n|sleep:200", password), Result::Ok());
  EXPECT_EQ(Logged("password"), password);
  const std::string expected =
      run_.toolCopy + '\0' + run_.backupFolder + '\0' + run_.outputFolder + '\0';
  EXPECT_EQ(Logged("arguments"), expected);
  EXPECT_EQ(commandLine, expected);  // read from the running tool
  EXPECT_EQ(commandLine.find("horse"), std::string::npos);
  // Its own process group.
  EXPECT_EQ(Logged("pgid"), Logged("pid"));
}

TEST_F(RunnerTest, ReportsCountsWithTheFirstReportRuleAndAFinalReport) {
  EXPECT_EQ(Run("out:Count: 2\\n|sleep:100|out:tool: warning: slow disk\\n|sleep:100|"
                "out:Count: 5\\n|sleep:100|out:Count: 10\\n|exit:0"),
            Result::Ok());
  // 1 first; then 1 + 10*2/10; unchanged for a chunk without a count; 1 + 5; 1 + 10 (what the
  // tool wrote just before it ended); and the final running progress + weight.
  EXPECT_EQ(SteadyReports(), (std::vector<int32_t>{1, 3, 1, 6, 11}));
  EXPECT_EQ(running_, 1);
}

TEST_F(RunnerTest, ResumesFromTheRunningProgressOfTheScan) {
  running_ = 4;
  EXPECT_EQ(Run("out:Count: 5\\n"), Result::Ok());
  EXPECT_EQ(SteadyReports(), (std::vector<int32_t>{9, 14}));  // no first report after 4
  EXPECT_EQ(running_, 4);
}

TEST_F(RunnerTest, AWrongPasswordInTheSameChunkAsACountGivesMinus110AndLeavesNothing) {
  EXPECT_EQ(Run("file:0123|out:Count: 1\\nWrong password\\n|sleep:30000"), Result(kWrongPassword));
  EXPECT_EQ(SteadyReports(), (std::vector<int32_t>{10}));  // only the final report
  EXPECT_TRUE(Entries(run_.outputFolder).empty());
  EXPECT_FALSE(IsRunning(Logged("pid")));
}

TEST_F(RunnerTest, AStopEndsTheToolAndEverythingItStartedRightAway) {
  auto started = std::chrono::steady_clock::now();
  Result result = Run("file:0123|out:Count: 1\\n|child|sleep:60000", "secret", 1);
  EXPECT_EQ(result, Result::Stopped());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(reports_.front(), 1);
  EXPECT_EQ(reports_.back(), 11);  // the final report comes all the same
  EXPECT_FALSE(IsRunning(Logged("pid")));
  for (int i = 0; i < 200 && IsRunning(Logged("grandchild")); ++i) {
    usleep(10000);
  }
  EXPECT_FALSE(IsRunning(Logged("grandchild")));
  EXPECT_TRUE(Entries(run_.outputFolder).empty());
}

TEST_F(RunnerTest, AStopIsHeardWhileTheToolIsStillQuiet) {
  // A long key derivation prints nothing: the running progress is reported meanwhile.
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("sleep:60000", "secret", 1), Result::Stopped());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(reports_.front(), 0);
  EXPECT_FALSE(IsRunning(Logged("pid")));
}

TEST_F(RunnerTest, RepeatsTheLastReportWhileTheToolIsQuiet) {
  EXPECT_EQ(Run("out:Count: 5\\n|sleep:1300"), Result::Ok());
  // 1, then 1 + 5, repeated at least twice in 1.3 s, then the final 11.
  ASSERT_GE(reports_.size(), 5u);
  EXPECT_EQ(reports_.back(), 11);
  std::vector<int32_t> middle(std::find(reports_.begin(), reports_.end(), 6), reports_.end() - 1);
  EXPECT_GE(middle.size(), 3u);
  EXPECT_EQ(std::count(middle.begin(), middle.end(), 6), static_cast<long>(middle.size()));
}

TEST_F(RunnerTest, EmptiesTheOutputFolderBeforeTheToolRuns) {
  WriteFile(run_.outputFolder + "/Manifest.db-decypted", "another backup's manifest");
  WriteFile(run_.outputFolder + "/0123", "another backup's file");
  EXPECT_EQ(Run("file:4567|out:Count: 1\\n"), Result::Ok());
  EXPECT_EQ(Entries(run_.outputFolder), (std::vector<std::string>{"4567"}));
  struct stat info {};
  ASSERT_EQ(stat(run_.outputFolder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(RunnerTest, AToolThatFailsWithoutAWordStillEndsTheRun) {
  // The exit status is not read: what the tool left decides (the manifest loader then fails).
  EXPECT_EQ(Run("err:tool: Manifest.plist is damaged\\n|exit:1"), Result::Ok());
  EXPECT_EQ(SteadyReports(), (std::vector<int32_t>{10}));
  EXPECT_EQ(running_, 0);
}

TEST_F(RunnerTest, AnEmptyBackupFolderReportsTheRunningProgress) {
  run_.fileTotal = 0;
  EXPECT_EQ(Run("out:Count: 3\\n"), Result::Ok());
  EXPECT_EQ(SteadyReports(), (std::vector<int32_t>{1, 11}));
}

TEST_F(RunnerTest, AMissingToolGives87WithoutAnyReport) {
  run_.toolSource = root_ / "program/tool";
  EXPECT_EQ(Run("out:Count: 1\\n"), Result(kMissingFile));
  EXPECT_TRUE(reports_.empty());
  EXPECT_TRUE(Logged("pid").empty());
}

TEST_F(RunnerTest, NeverEmptiesAnOutputFolderThatOverlapsTheBackup) {
  chmod(run_.backupFolder.c_str(), 0755);
  for (const std::string& output : {run_.backupFolder, run_.backupFolder + "/sub", root_.path()}) {
    run_.outputFolder = output;
    EXPECT_EQ(Run("out:Count: 1\\n"), Result(kMissingFile)) << output;
    EXPECT_EQ(ReadFile(root_ / "backup/Manifest.db"), "db");
  }
  EXPECT_FALSE(std::filesystem::exists(run_.backupFolder + "/sub"));
  struct stat info {};
  ASSERT_EQ(stat(run_.backupFolder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
  EXPECT_TRUE(Logged("pid").empty());
}

}  // namespace
}  // namespace zbe
