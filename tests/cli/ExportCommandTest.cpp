// "zbe export": the closing line, the JSON report, exit statuses for failed files, a file that
// vanishes after the scan, Ctrl-C, bad arguments and a missing template.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "support/EncryptedSamples.h"
#include "support/RunProgram.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunProgram;
using test::TempFolder;
using test::WriteFile;

// What a zbe run left: its exit status (-1 when killed) and its output.
struct Finished {
  int status = -1;
  std::string out;
  std::string err;
};

// zbe started with its stderr on a pipe that is full before it starts, so that its first write
// there blocks until the test drains the pipe. zbe writes nothing to a stderr that is not a
// terminal until a file of the export fails, so a block there means: the export is under way
// and has just listed a failed file.
class BlockedOnStderr {
 public:
  BlockedOnStderr(const std::vector<std::string>& arguments,
                  const std::vector<std::pair<std::string, std::string>>& environment) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
      throw std::runtime_error("pipe2 failed");
    }
    read_ = fds[0];
    fcntl(fds[1], F_SETFL, O_NONBLOCK);
    std::string chunk(4096, 'f');
    for (size_t size : {chunk.size(), size_t{1}}) {
      ssize_t put;
      while ((put = write(fds[1], chunk.data(), size)) > 0) {
        filler_ += static_cast<size_t>(put);
      }
    }
    fcntl(fds[1], F_SETFL, 0);
    std::string program = std::string(ZBE_BIN_DIR) + "/zbe";
    pid_ = fork();
    if (pid_ == 0) {
      int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || dup2(out, 1) < 0 || dup2(fds[1], 2) < 0) {
        _exit(127);
      }
      for (const auto& [name, value] : environment) {
        setenv(name.c_str(), value.c_str(), 1);
      }
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(fds[1]);
  }
  ~BlockedOnStderr() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(read_);
  }

  // Waits (up to a minute) until zbe is blocked writing to its stderr.
  bool WaitUntilBlocked() {
    std::string syscall = "/proc/" + std::to_string(pid_) + "/syscall";
    for (int i = 0; i < 60000; ++i) {
      std::ifstream in(syscall);
      std::string number;
      std::string fd;
      if (in >> number >> fd && number == "1" && fd == "0x2") {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  void Signal(int signal) { kill(pid_, signal); }

  // Drains stderr until zbe ends and returns what it left.
  Finished Finish() {
    std::string err;
    char buffer[65536];
    for (ssize_t got; (got = read(read_, buffer, sizeof buffer)) != 0;) {
      if (got > 0) {
        err.append(buffer, static_cast<size_t>(got));
      } else if (errno != EINTR) {
        break;
      }
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    waited_ = true;
    Finished finished;
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    finished.err = err.substr(std::min(filler_, err.size()));
    finished.out = ReadFile(outPath_);
    return finished;
  }

 private:
  TempFolder capture_;
  std::string outPath_ = capture_ / "out";
  pid_t pid_ = -1;
  int read_ = -1;
  size_t filler_ = 0;
  bool waited_ = false;
};

class ExportCommandTest : public ::testing::Test {
 protected:
  ExportCommandTest() {
    mkbackup::SampleOptions options;
    options.lastBackupDate = 1580512205;
    test::WriteSample(mkbackup::MakeSampleBackup(options), backup_);
  }

  std::vector<std::pair<std::string, std::string>> Environment() const {
    return {{"XDG_DATA_HOME", home_.path()},
            {"TMPDIR", tmp_.path()},
            {"ZBE_TEMP_FOLDER", tmp_ / "ZorvaneTempFile"},
            {"TZ", "UTC"}};
  }

  test::ProgramResult Zbe(const std::vector<std::string>& arguments,
                          const std::optional<std::string>& input = std::nullopt) {
    return RunProgram("zbe", arguments, Environment(), input);
  }

  // zbe scan's count per category name.
  std::map<std::string, int> Counts(const std::string& only) {
    std::map<std::string, int> counts;
    std::istringstream lines(Zbe({"scan", backup_, "--only", only}).out);
    for (std::string name, count, result; lines >> name >> count >> result;) {
      counts[name] = std::stoi(count);
    }
    return counts;
  }

  // The stored path of item "index" of a file category, as zbe scan --json lists it.
  std::string StoredPath(const std::string& category, size_t index) {
    auto scan = nlohmann::json::parse(Zbe({"scan", backup_, "--only", category, "--json"}).out);
    return scan["categories"][category]["items"][index]["path"].get<std::string>();
  }

  TempFolder temp_;
  TempFolder home_;
  TempFolder tmp_;
  std::string backup_ = temp_ / "backup";
  std::string out_ = temp_ / "out/new";
};

TEST_F(ExportCommandTest, ExportsEverythingAndEndsWithTheCounts) {
  int total = 0;
  for (const auto& [name, count] :
       Counts("camera-roll,photo-stream,app-photos,app-videos,messages,message-attachments,"
              "contacts,call-history,notes,whatsapp,whatsapp-attachments")) {
    total += count;
  }
  ASSERT_GT(total, 100);
  test::FolderSnapshot before = test::SnapshotFolder(backup_);
  auto result = Zbe({"export", backup_, "--out", out_});
  ASSERT_EQ(result.status, 0) << result.err;
  std::string count = std::to_string(total);
  EXPECT_EQ(result.out,
            "Exported " + count + " of " + count + ": " + count + " succeeded, 0 failed\n");
  EXPECT_EQ(result.err, "");
  for (const char* folder :
       {"Camera Roll", "Photo Stream", "App Photos", "App Video", "Message", "Message Attachments",
        "Contacts", "CallHistory", "Notes", "WhatsApp Message", "WhatsApp Attachments"}) {
    EXPECT_TRUE(fs::is_directory(out_ + "/" + folder)) << folder;
  }
  EXPECT_TRUE(fs::exists(out_ + "/Message/sms.sqlite"));
  EXPECT_EQ(test::SnapshotFolder(backup_), before);
}

// The pages and transcripts below "folder" whose content holds "text".
std::vector<std::string> FilesHolding(const std::string& folder, const std::string& text) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".html" || extension == ".txt") &&
        ReadFile(entry.path()).find(text) != std::string::npos) {
      found.push_back(fs::relative(entry.path(), folder).string());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST_F(ExportCommandTest, TodaysPhonesComeOutWhole) {
  auto result = Zbe({"export", backup_, "--out", out_, "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  std::string stamp = nlohmann::json::parse(result.out)["runStamp"];
  // The owner's message to a group (handle 0) once, in the group's thread, on the owner's side.
  const std::string dinner = "Dinner at ours on Sunday? 🍝";
  const std::string family = "Message/Family 🏡-" + stamp + "/";
  ASSERT_EQ(
      FilesHolding(out_ + "/Message", dinner),
      (std::vector<std::string>{
          "Family 🏡-" + stamp + "/Family 🏡(+14155550134, " + "+13125550162, +19195550123).html",
          "Family 🏡-" + stamp + "/Family 🏡(+14155550134, " + "+13125550162, +19195550123).txt"}));
  std::string base = out_ + "/" + family + "Family 🏡(+14155550134, +13125550162, +19195550123)";
  std::string page = ReadFile(base + ".html");
  EXPECT_NE(page.find(" Me:</div>\r\n<div class=\"send_msg\">" + dinner + "</div>"),
            std::string::npos);
  EXPECT_NE(page.find("Name: Family 🏡, Phone: +14155550134, +13125550162, +19195550123"),
            std::string::npos);
  std::string transcript = ReadFile(base + ".txt");
  EXPECT_NE(transcript.find("        To: Family 🏡(+14155550134, +13125550162, +19195550123)\r\n"),
            std::string::npos);
  EXPECT_NE(transcript.find("   Content: " + dinner + "\r\n"), std::string::npos);
  // A text that stands only in attributedBody.
  EXPECT_EQ(FilesHolding(out_ + "/Message", "Only in the archive: see you at 8 ✨").size(), 2u);
  // The long note's whole text, and a HEIC photo copied as it is stored.
  EXPECT_EQ(FilesHolding(out_ + "/Notes", "Day 5: Cascais beach").size(), 1u);
  std::string photo = out_ + "/Camera Roll/IMG_0006.HEIC";
  ASSERT_TRUE(fs::exists(photo));
  EXPECT_EQ(ReadFile(photo).substr(4, 8), "ftypheic");
  EXPECT_EQ(ReadFile(photo), ReadFile(StoredPath("camera-roll", 5)));
}

TEST_F(ExportCommandTest, JsonReportsEveryFinishedFile) {
  std::map<std::string, int> counts = Counts("contacts,notes");
  auto result = Zbe({"export", backup_, "--out", out_, "--only", "contacts,notes", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto report = nlohmann::ordered_json::parse(result.out);
  int total = counts["contacts"] + counts["notes"];
  EXPECT_EQ(report["destination"], out_);
  std::string stamp = report["runStamp"];
  EXPECT_EQ(stamp.size(), 14u);
  EXPECT_EQ(report["cancelled"], false);
  EXPECT_EQ(report["total"], total);
  EXPECT_EQ(report["done"], total);
  EXPECT_EQ(report["succeeded"], total);
  EXPECT_EQ(report["failed"], 0);
  ASSERT_EQ(report["files"].size(), static_cast<size_t>(total));
  EXPECT_EQ(report["files"][0],
            (nlohmann::ordered_json{{"path", out_ + "/Contacts/" + stamp + "/Contacts.html"},
                                    {"status", "Success"},
                                    {"errorCode", 0}}));
  EXPECT_EQ(report["files"][static_cast<size_t>(total - 1)]["path"],
            out_ + "/Notes/Notes_" + stamp + ".html");
}

TEST_F(ExportCommandTest, FailedFilesGiveStatus5) {
  WriteFile(out_ + "/Camera Roll", "a file where the folder goes");
  auto result = Zbe({"export", backup_, "--out", out_, "--only", "camera-roll,photo-stream"});
  EXPECT_EQ(result.status, 5);
  std::map<std::string, int> counts = Counts("camera-roll,photo-stream");
  int total = counts["camera-roll"] + counts["photo-stream"];
  int failed = counts["camera-roll"];
  EXPECT_EQ(result.out, "Exported " + std::to_string(total) + " of " + std::to_string(total) +
                            ": " + std::to_string(total - failed) + " succeeded, " +
                            std::to_string(failed) + " failed\n");
  EXPECT_NE(result.err.find("zbe export: failed: " + out_ + "/Camera Roll/"), std::string::npos);
  EXPECT_NE(result.err.find(": Not a directory\n"), std::string::npos);
}

TEST_F(ExportCommandTest, AStoredFileMissingAtItsCopyFailsAloneWithStatus5) {
  // The camera roll fails first (its folder is taken by a file), which holds zbe at its first
  // failure line while the test removes a photo stream file that the scan has already listed.
  WriteFile(out_ + "/Camera Roll", "a file where the folder goes");
  std::string vanished = StoredPath("photo-stream", 0);
  std::map<std::string, int> counts = Counts("camera-roll,photo-stream");
  BlockedOnStderr run({"export", backup_, "--out", out_, "--only", "camera-roll,photo-stream"},
                      Environment());
  ASSERT_TRUE(run.WaitUntilBlocked());
  ASSERT_EQ(unlink(vanished.c_str()), 0);
  Finished result = run.Finish();
  EXPECT_EQ(result.status, 5) << result.err;
  EXPECT_NE(result.err.find("/Photo Stream/"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(": A needed file is missing or could not be opened\n"),
            std::string::npos)
      << result.err;
  int total = counts["camera-roll"] + counts["photo-stream"];
  EXPECT_EQ(result.out, "Exported " + std::to_string(total) + " of " + std::to_string(total) +
                            ": " + std::to_string(total - counts["camera-roll"] - 1) +
                            " succeeded, " + std::to_string(counts["camera-roll"] + 1) +
                            " failed\n");
}

TEST_F(ExportCommandTest, CtrlCCancelsCleanlyWithStatus2) {
  WriteFile(out_ + "/Camera Roll", "a file where the folder goes");
  BlockedOnStderr run({"export", backup_, "--out", out_, "--only", "camera-roll,photo-stream"},
                      Environment());
  ASSERT_TRUE(run.WaitUntilBlocked());
  run.Signal(SIGINT);
  Finished result = run.Finish();
  EXPECT_EQ(result.status, 2) << result.err;
  std::map<std::string, int> counts = Counts("camera-roll,photo-stream");
  int total = counts["camera-roll"] + counts["photo-stream"];
  EXPECT_EQ(result.out, "Exported 1 of " + std::to_string(total) + ": 0 succeeded, 1 failed\n");
  EXPECT_NE(result.err.find("zbe export: cancelled"), std::string::npos) << result.err;
  // Nothing was begun after the cancel.
  EXPECT_FALSE(fs::exists(out_ + "/Photo Stream"));
}

// Every file below "root" with its bytes, the run's stamp in its path replaced by "<stamp>".
std::map<std::string, std::string> Tree(const std::string& root, const std::string& stamp) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      std::string name = fs::relative(entry.path(), root).string();
      for (size_t at; (at = name.find(stamp)) != std::string::npos;) {
        name.replace(at, stamp.size(), "<stamp>");
      }
      tree[name] = ReadFile(entry.path());
    }
  }
  return tree;
}

TEST_F(ExportCommandTest, AnEncryptedBackupExportsWhatItsPlainTwinDoes) {
  const std::string password = "open sesame";
  std::string plain = temp_ / "plain";
  std::string encrypted = temp_ / "encrypted";
  test::WriteEncryptedTwins(test::kEncryptedKinds[0], password, plain, encrypted);
  const test::ByteSnapshot before = test::SnapshotBytes(encrypted);
  auto plainRun = Zbe({"export", plain, "--out", temp_ / "from-plain", "--json"});
  ASSERT_EQ(plainRun.status, 0) << plainRun.err;
  auto encryptedRun =
      Zbe({"export", encrypted, "--out", temp_ / "from-encrypted", "--json", "--password-stdin"},
          password + "\n");
  ASSERT_EQ(encryptedRun.status, 0) << encryptedRun.err;
  auto plainReport = nlohmann::json::parse(plainRun.out);
  auto encryptedReport = nlohmann::json::parse(encryptedRun.out);
  EXPECT_EQ(encryptedReport["done"], plainReport["done"]);
  EXPECT_GT(plainReport["done"].get<int>(), 100);
  auto plainTree = Tree(temp_ / "from-plain", plainReport["runStamp"]);
  auto encryptedTree = Tree(temp_ / "from-encrypted", encryptedReport["runStamp"]);
  EXPECT_EQ(plainTree.size(), encryptedTree.size());
  for (const auto& [name, bytes] : plainTree) {
    auto other = encryptedTree.find(name);
    ASSERT_NE(other, encryptedTree.end()) << name;
    // The pages' titles name the device, which the twins share.
    EXPECT_TRUE(other->second == bytes) << name;
  }
  EXPECT_EQ(test::SnapshotBytes(encrypted), before);
  EXPECT_TRUE(test::FolderContents(tmp_ / "ZorvaneTempFile/ZorvaneBackupPath").empty());
}

TEST_F(ExportCommandTest, RejectsBadArgumentsAndForeignFolders) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"export"},
                                             {"export", backup_},
                                             {"export", backup_, "--out"},
                                             {"export", backup_, "--out", out_, "--only", "photos"},
                                             {"export", backup_, backup_, "--out", out_},
                                             {"export", backup_, "--out", backup_ + "/inside"},
                                             {"export", backup_, "--out", backup_}}) {
    auto result = Zbe(arguments);
    EXPECT_EQ(result.status, 1) << arguments.size();
    EXPECT_NE(result.err.find("usage: zbe export"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(backup_ + "/inside"));
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_EQ(Zbe({"export", temp_.path(), "--out", out_}).status, 3);
  EXPECT_EQ(Zbe({"export", backup_, "--out", out_, "--password-stdin"}, "").status, 4);
  auto help = Zbe({"export", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--out DIR"), std::string::npos);
}

TEST_F(ExportCommandTest, AMissingTemplateStopsBeforeAnythingIsWritten) {
  // A zbe without its template folder beside it.
  std::string lone = temp_ / "lone/zbe";
  fs::create_directories(temp_ / "lone");
  fs::copy_file(std::string(ZBE_BIN_DIR) + "/zbe", lone);
  auto result =
      RunProgram(lone, {"export", backup_, "--out", out_, "--only", "notes"}, Environment());
  EXPECT_EQ(result.status, 5);
  EXPECT_NE(result.err.find("cannot read the template " + temp_.path() +
                            "/lone/template/CallHistory.html: No such file or directory"),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(fs::exists(out_));
}

}  // namespace
}  // namespace zbe
