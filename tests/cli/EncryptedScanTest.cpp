// "zbe scan --password-stdin" on encrypted backups written by mkbackup --encrypt, against their
// plain twins; the real decryption tool does the work.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "support/EncryptedSamples.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::EncryptedKind;
using test::ReadFile;
using test::RunProgram;
using test::TempFolder;

const std::string kPassword = "open sesame";

// Every "path" of "value" cut to its last component (the stored file's ID), so that the results
// of a plain backup (two-level paths in its folder) and of its decrypted twin (flat paths in the
// decryption folder) compare. The full paths are collected in "paths".
void CutPaths(nlohmann::ordered_json& value, std::vector<std::string>& paths) {
  if (value.is_object()) {
    for (auto& [key, item] : value.items()) {
      if (key == "path" && item.is_string()) {
        std::string path = item.get<std::string>();
        paths.push_back(path);
        item = path.substr(path.rfind('/') + 1);
      } else {
        CutPaths(item, paths);
      }
    }
  } else if (value.is_array()) {
    for (auto& item : value) {
      CutPaths(item, paths);
    }
  }
}

class EncryptedScanTest : public ::testing::Test {
 protected:
  test::ProgramResult Scan(std::vector<std::string> arguments,
                           const std::optional<std::string>& input = std::nullopt) {
    arguments.insert(arguments.begin(), "scan");
    return RunProgram("zbe", arguments,
                      {{"XDG_DATA_HOME", home_.path()},
                       {"TMPDIR", tmp_.path()},
                       {"ZBE_TEMP_FOLDER", temp_.path()},
                       {"TZ", "UTC"}},
                      input);
  }

  TempFolder backups_;
  TempFolder home_;
  TempFolder tmp_;
  TempFolder temp_;  // the temporary folder of zbe's decryptions
  std::string plain_ = backups_ / "plain";
  std::string encrypted_ = backups_ / "encrypted";
};

class EncryptedScanKinds : public EncryptedScanTest,
                           public ::testing::WithParamInterface<EncryptedKind> {};

TEST_P(EncryptedScanKinds, FindsWhatThePlainTwinHoldsInFlatDecryptedCopies) {
  test::WriteEncryptedTwins(GetParam(), kPassword, plain_, encrypted_);
  const test::ByteSnapshot before = test::SnapshotBytes(encrypted_);
  auto plainScan = Scan({plain_, "--json"});
  ASSERT_EQ(plainScan.status, 0) << plainScan.err;
  auto encryptedScan = Scan({encrypted_, "--json", "--password-stdin"}, kPassword + "\n");
  ASSERT_EQ(encryptedScan.status, 0) << encryptedScan.err;

  auto plainJson = nlohmann::ordered_json::parse(plainScan.out);
  auto encryptedJson = nlohmann::ordered_json::parse(encryptedScan.out);
  EXPECT_EQ(encryptedJson["open"], 0);
  EXPECT_EQ(encryptedJson["summary"]["encrypted"], true);
  EXPECT_EQ(plainJson["summary"]["encrypted"], false);
  std::vector<std::string> plainPaths, decryptedPaths;
  CutPaths(plainJson["categories"], plainPaths);
  CutPaths(encryptedJson["categories"], decryptedPaths);
  EXPECT_EQ(encryptedJson["categories"], plainJson["categories"]);
  // Something of every kind was found, so the comparison says something.
  for (const auto& [name, category] : plainJson["categories"].items()) {
    if (!category["result"].is_null()) {
      const char* list = category.contains("items")     ? "items"
                         : category.contains("threads") ? "threads"
                                                        : "records";
      EXPECT_FALSE(category[list].empty()) << name;
    }
  }
  // The decrypted copies lay flat in a folder of zbe's own in the temporary folder.
  ASSERT_FALSE(decryptedPaths.empty());
  for (const std::string& path : decryptedPaths) {
    std::filesystem::path file(path);
    EXPECT_EQ(file.parent_path().parent_path(), std::filesystem::path(temp_.path())) << path;
    EXPECT_EQ(file.parent_path().filename().string().rfind("zbe-work-", 0), 0u) << path;
    EXPECT_EQ(file.filename().string().size(), 40u) << path;
  }
  // zbe took its copies away when it ended, and left the backup as it was.
  EXPECT_TRUE(std::filesystem::is_empty(temp_.path()));
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.path()));
  EXPECT_EQ(test::SnapshotBytes(encrypted_), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EncryptedScanKinds, ::testing::ValuesIn(test::kEncryptedKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EncryptedScanTest, AWrongOrMissingPasswordEndsWithStatus4) {
  test::WriteEncryptedTwins(test::kEncryptedKinds[0], kPassword, plain_, encrypted_);
  auto wrong = Scan({encrypted_, "--password-stdin"}, "not it\n");
  EXPECT_EQ(wrong.status, 4);
  EXPECT_NE(wrong.err.find("Wrong password"), std::string::npos);
  EXPECT_EQ(wrong.out, "");
  auto missing = Scan({encrypted_});
  EXPECT_EQ(missing.status, 4);
  EXPECT_NE(missing.err.find("is an encrypted backup"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(temp_.path()));
}

TEST_F(EncryptedScanTest, LeavesTheDecryptedCopiesOfARunningApplicationAlone) {
  test::WriteEncryptedTwins(test::kEncryptedKinds[0], kPassword, plain_, encrypted_);
  const std::string application =
      temp_ / "ZorvaneBackupPath/3d0d7e5fb2ce288813306e4d4636395e047a3d28";
  test::WriteFile(application, "the running application's decrypted sms.db");
  auto result = Scan({encrypted_, "--password-stdin", "--only", "messages"}, kPassword + "\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFile(application), "the running application's decrypted sms.db");
  EXPECT_NE(result.out.find("messages\t"), std::string::npos);
  EXPECT_EQ(result.out.find("messages\t0\t"), std::string::npos);  // its own messages were read
}

// Ctrl-C while the decryption runs: the tool (here a stand-in that stays quiet for half a
// minute, as the real one does while it derives its key) is stopped, zbe ends with status 2 and
// none of its private folders, which would hold decrypted copies, stays behind.
TEST_F(EncryptedScanTest, CtrlCDuringTheDecryptionStopsAndLeavesNothingBehind) {
  namespace fs = std::filesystem;
  test::WriteEncryptedTwins(test::kEncryptedKinds[0], kPassword, plain_, encrypted_);
  // A program folder of its own, so that zbe finds the stand-in as its "tool".
  TempFolder program;
  fs::copy_file(std::string(ZBE_BIN_DIR) + "/zbe", program / "zbe");
  fs::copy_file(ZBE_FAKE_TOOL, program / "tool");
  TempFolder log;
  TempFolder capture;
  test::WriteFile(capture / "in", kPassword + "\n");

  pid_t child = fork();
  if (child == 0) {
    int in = open((capture / "in").c_str(), O_RDONLY);
    int out = open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
      _exit(127);
    }
    setenv("XDG_DATA_HOME", home_.path().c_str(), 1);
    setenv("TMPDIR", tmp_.path().c_str(), 1);
    setenv("ZBE_TEMP_FOLDER", temp_.path().c_str(), 1);
    setenv("ZBE_FAKE_TOOL_LOG", log.path().c_str(), 1);
    setenv("ZBE_FAKE_TOOL_SCRIPT", "sleep:30000", 1);
    std::string zbe = program / "zbe";
    execl(zbe.c_str(), zbe.c_str(), "scan", encrypted_.c_str(), "--password-stdin",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(child, 0);
  // The stand-in records its process id once it runs.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!fs::exists(log / "password") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(fs::exists(log / "password")) << ReadFile(capture / "err");
  const pid_t tool = static_cast<pid_t>(std::stol(ReadFile(log / "pid")));
  ASSERT_EQ(kill(child, SIGINT), 0);

  int status = 0;
  pid_t ended = 0;
  while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (ended == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    FAIL() << "zbe did not stop after Ctrl-C";
  }
  ASSERT_TRUE(WIFEXITED(status)) << ReadFile(capture / "err");
  EXPECT_EQ(WEXITSTATUS(status), 2) << ReadFile(capture / "err");
  EXPECT_NE(ReadFile(capture / "err").find("zbe scan: stopped"), std::string::npos);
  EXPECT_EQ(ReadFile(capture / "out"), "");
  EXPECT_NE(kill(tool, 0), 0) << "the decryption tool still runs";
  EXPECT_TRUE(fs::is_empty(tmp_.path()));
  EXPECT_TRUE(fs::is_empty(temp_.path()));
}

}  // namespace
}  // namespace zbe
