// Runs build/bin/tool as a child process, the way the application does: arguments backup folder
// and output folder, the password as one line on standard input.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../crypto/CryptoTestSupport.h"
#include "tools/crypto/BackupEncryptor.h"
#include "tools/crypto/ContentCipher.h"

extern char** environ;

namespace zbe::crypto {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::ReadAll;
using testing::TempFolder;

const std::string kTool = std::string(ZBE_BIN_DIR) + "/tool";
const std::string kRealBackup = std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000";
const std::string kRealFileId = "5727bd1c5fa1055e15d8b4a75a74793c84b5ffdc";

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ToolRun RunTool(const TempFolder& io, const std::vector<std::string>& args,
                const std::string& stdinText) {
  testing::WriteAll(io / "stdin", AsBytes(stdinText));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, (io / "stdin").c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, (io / "stdout").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (io / "stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> argStrings = {kTool};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  pid_t pid = 0;
  ToolRun run;
  const int rc = posix_spawn(&pid, kTool.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    ADD_FAILURE() << "cannot start " << kTool;
    return run;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = testing::ReadText(io / "stdout");
  run.err = testing::ReadText(io / "stderr");
  return run;
}

std::string Counts(size_t n) {
  std::string text;
  for (size_t i = 1; i <= n; ++i) {
    text += "Count: " + std::to_string(i) + "\n";
  }
  return text;
}

std::vector<std::string> OutputNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// --- the real encrypted backup: the only two runs that derive with 10,000,000 rounds ---

TEST(DecryptTool, DecryptsTheRealBackupWithItsPassword) {
  if (!testing::Exists(kRealBackup)) {
    GTEST_SKIP() << "real data not present";
  }
  TempFolder tmp;
  const auto before = testing::Snapshot(kRealBackup);
  const ToolRun run = RunTool(tmp, {kRealBackup, tmp / "out/nested"}, "0000\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Count: 1\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(testing::ReadText(tmp / ("out/nested/" + kRealFileId)), "Test data");
  EXPECT_EQ(testing::FilesRows(tmp / "out/nested/Manifest.db-decypted"),
            std::vector<std::string>{kRealFileId +
                                     "|MyTestDomain|Media/Test.txt|0|Media/Test.txt|9|33261"});
  EXPECT_EQ(testing::ModeOf(tmp / "out"), 0700u);
  EXPECT_EQ(testing::ModeOf(tmp / "out/nested"), 0700u);
  EXPECT_EQ(testing::ModeOf(tmp / ("out/nested/" + kRealFileId)), 0600u);
  EXPECT_EQ(testing::ModeOf(tmp / "out/nested/Manifest.db-decypted"), 0600u);
  EXPECT_EQ(testing::Snapshot(kRealBackup), before);
}

TEST(DecryptTool, AnswersWrongPasswordForTheRealBackup) {
  if (!testing::Exists(kRealBackup)) {
    GTEST_SKIP() << "real data not present";
  }
  TempFolder tmp;
  const ToolRun run = RunTool(tmp, {kRealBackup, tmp / "out"}, "0001\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "Wrong password\n");
  EXPECT_TRUE(OutputNames(tmp / "out").empty());
}

// --- round trips through the encryptor, with small iteration counts ---

struct Variant {
  const char* name;
  bool mbdb;
  KeybagKind kind;
  bool encryptManifestDb;
};

void PrintTo(const Variant& variant, std::ostream* os) {
  *os << variant.name;
}

class RoundTrip : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    files_ = testing::SampleFiles();
    if (GetParam().mbdb) {
      testing::WritePlainMbdbBackup(tmp_ / "plain", files_);
    } else {
      testing::WritePlainDbBackup(tmp_ / "plain", files_);
    }
    EncryptOptions options;
    options.keybagKind = GetParam().kind;
    options.iterations = 4;
    options.dpIterations = 6;
    options.seed = 3;
    options.encryptManifestDb = GetParam().encryptManifestDb;
    ASSERT_EQ(EncryptBackupFolder(tmp_ / "plain", tmp_ / "enc", password_, options, nullptr), kOk);
  }

  std::string StoredPath(const std::string& fileId) const {
    return GetParam().mbdb ? tmp_ / ("enc/" + fileId)
                           : tmp_ / ("enc/" + fileId.substr(0, 2) + "/" + fileId);
  }

  TempFolder tmp_;
  std::vector<testing::PlainFile> files_;
  const std::string password_ = "pässword with spaces";
};

TEST_P(RoundTrip, GivesBackEveryFileByteForByte) {
  const auto plainBefore = testing::Snapshot(tmp_ / "plain");
  const auto encBefore = testing::Snapshot(tmp_ / "enc");
  const ToolRun run = RunTool(tmp_, {tmp_ / "enc", tmp_ / "out"}, password_ + "\r\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Counts(files_.size()));
  for (const auto& f : files_) {
    EXPECT_EQ(ReadAll(tmp_ / ("out/" + f.FileId())), f.content) << f.relativePath;
  }
  std::vector<std::string> expected;
  for (const auto& f : files_) {
    expected.push_back(f.FileId());
  }
  if (!GetParam().mbdb) {
    expected.push_back("Manifest.db-decypted");
    EXPECT_EQ(testing::FilesRows(tmp_ / "out/Manifest.db-decypted"),
              testing::FilesRows(tmp_ / "plain/Manifest.db"));
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(OutputNames(tmp_ / "out"), expected);
  EXPECT_EQ(testing::Snapshot(tmp_ / "plain"), plainBefore);
  EXPECT_EQ(testing::Snapshot(tmp_ / "enc"), encBefore);
}

TEST_P(RoundTrip, WrongPasswordWritesNoFile) {
  const ToolRun run = RunTool(tmp_, {tmp_ / "enc", tmp_ / "out"}, "password with spaces\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_THAT(run.out, HasSubstr("Wrong password"));
  EXPECT_THAT(run.out, Not(HasSubstr("Count:")));
  EXPECT_TRUE(OutputNames(tmp_ / "out").empty());
}

TEST_P(RoundTrip, ReportsDamagedFilesAndDecryptsTheRest) {
  const std::string truncated = files_[0].FileId();
  const std::string padded = files_[3].FileId();
  const std::string missing = files_[4].FileId();
  std::filesystem::resize_file(StoredPath(truncated),
                               std::filesystem::file_size(StoredPath(truncated)) - 5);
  Bytes cipher = ReadAll(StoredPath(padded));
  cipher[cipher.size() - 20] ^= 0x55;  // garbles the padding of the last block
  testing::WriteAll(StoredPath(padded), cipher);
  std::filesystem::remove(StoredPath(missing));

  const ToolRun run = RunTool(tmp_, {tmp_ / "enc", tmp_ / "out"}, password_ + "\n");
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(run.out, Counts(files_.size()));
  EXPECT_THAT(run.err, HasSubstr("tool: " + truncated + ": stored file is truncated"));
  EXPECT_THAT(run.err,
              HasSubstr("tool: " + padded + ": stored file decrypts with invalid padding"));
  EXPECT_THAT(run.err, HasSubstr("tool: " + missing + ": stored file is missing"));
  EXPECT_THAT(run.err, HasSubstr("3 of 5 stored files were skipped or are damaged"));
  EXPECT_FALSE(testing::Exists(tmp_ / ("out/" + truncated)));
  EXPECT_FALSE(testing::Exists(tmp_ / ("out/" + missing)));
  // The damaged file keeps its recorded size; only its last two blocks are wrong.
  const Bytes best = ReadAll(tmp_ / ("out/" + padded));
  ASSERT_EQ(best.size(), files_[3].content.size());
  EXPECT_TRUE(std::equal(best.begin(), best.end() - 32, files_[3].content.begin()));
  for (size_t i : {size_t{1}, size_t{2}}) {
    EXPECT_EQ(ReadAll(tmp_ / ("out/" + files_[i].FileId())), files_[i].content);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RoundTrip,
    ::testing::Values(Variant{"ManifestDbModern", false, KeybagKind::kModern, true},
                      Variant{"ManifestDbLegacy", false, KeybagKind::kLegacy, true},
                      Variant{"PlainManifestDbLegacy", false, KeybagKind::kLegacy, false},
                      Variant{"MbdbLegacy", true, KeybagKind::kLegacy, true},
                      Variant{"MbdbModern", true, KeybagKind::kModern, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecryptTool, DecryptsTheRecordsBeforeACutOffBinaryManifest) {
  TempFolder tmp;
  const auto files = testing::SampleFiles();
  testing::WritePlainMbdbBackup(tmp / "plain", files);
  EncryptOptions options;
  options.keybagKind = KeybagKind::kLegacy;
  options.iterations = 2;
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "enc", "pw", options, nullptr), Result::Ok());
  std::filesystem::resize_file(tmp / "enc/Manifest.mbdb",
                               std::filesystem::file_size(tmp / "enc/Manifest.mbdb") - 3);
  const ToolRun run = RunTool(tmp, {tmp / "enc", tmp / "out"}, "pw\n");
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(run.out, Counts(files.size() - 1));
  EXPECT_THAT(run.err, HasSubstr("Manifest.mbdb ends inside a record"));
  EXPECT_EQ(ReadAll(tmp / ("out/" + files[0].FileId())), files[0].content);
  EXPECT_FALSE(testing::Exists(tmp / ("out/" + files.back().FileId())));
}

// --- errors that end the run ---

class ToolErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WritePlainDbBackup(tmp_ / "plain", testing::SampleFiles());
    EncryptOptions options;
    options.iterations = 2;
    options.dpIterations = 2;
    ASSERT_EQ(EncryptBackupFolder(tmp_ / "plain", tmp_ / "enc", "pw", options, nullptr),
              Result::Ok());
  }
  TempFolder tmp_;
};

TEST_F(ToolErrors, TakesThePasswordOnlyFromStandardInput) {
  const ToolRun run = RunTool(tmp_, {tmp_ / "enc", tmp_ / "out", "pw"}, "pw\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_THAT(run.err, HasSubstr("usage: tool BACKUP_FOLDER OUTPUT_FOLDER"));
  EXPECT_FALSE(testing::Exists(tmp_ / "out"));
  EXPECT_EQ(RunTool(tmp_, {tmp_ / "enc"}, "pw\n").exitCode, 2);
}

TEST_F(ToolErrors, RefusesToWriteIntoTheBackupFolder) {
  const auto before = testing::Snapshot(tmp_ / "enc");
  for (const std::string& out : {tmp_ / "enc", tmp_ / "enc/decrypted"}) {
    const ToolRun run = RunTool(tmp_, {tmp_ / "enc", out}, "pw\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("must not be the backup folder or lie inside it"));
  }
  EXPECT_EQ(testing::Snapshot(tmp_ / "enc"), before);
}

TEST_F(ToolErrors, ExplainsBackupsItCannotDecrypt) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"no Manifest.plist",
       [](const std::string& d) { std::filesystem::remove(d + "/Manifest.plist"); },
       "no Manifest.plist in"},
      {"plain backup",
       [](const std::string& d) {
         testing::WriteAll(d + "/Manifest.plist",
                           AsBytes("<plist><dict><key>IsEncrypted</key><false/></dict></plist>"));
       },
       "the backup is not encrypted"},
      {"damaged keybag",
       [](const std::string& d) {
         testing::WriteAll(d + "/Manifest.plist",
                           AsBytes("<plist><dict><key>IsEncrypted</key><true/>"
                                   "<key>BackupKeyBag</key><data>U0FMVAAAAP8=</data>"
                                   "</dict></plist>"));
       },
       "the BackupKeyBag of Manifest.plist is damaged"},
      {"no manifest", [](const std::string& d) { std::filesystem::remove(d + "/Manifest.db"); },
       "no Manifest.db or Manifest.mbdb in"},
      {"damaged manifest",
       [](const std::string& d) {
         // A damaged first block no longer decrypts to the SQLite header.
         Bytes db = ReadAll(d + "/Manifest.db");
         db[0] ^= 1;
         testing::WriteAll(d + "/Manifest.db", db);
       },
       "Manifest.db does not decrypt to a database"},
      {"truncated manifest",
       [](const std::string& d) {
         std::filesystem::resize_file(d + "/Manifest.db",
                                      std::filesystem::file_size(d + "/Manifest.db") - 5);
       },
       "Manifest.db does not decrypt to a database"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder work;
    std::filesystem::copy(tmp_ / "enc", work / "enc", std::filesystem::copy_options::recursive);
    c.damage(work / "enc");
    // An earlier run's manifest in the output folder must not survive a failed run.
    std::filesystem::create_directories(work / "out");
    testing::WriteAll(work / "out/Manifest.db-decypted", AsBytes("stale"));
    const ToolRun run = RunTool(work, {work / "enc", work / "out"}, "pw\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr(c.message));
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(testing::Exists(work / "out/Manifest.db-decypted"));
  }
}

}  // namespace
}  // namespace zbe::crypto
