// "zbe scan": output, categories, passwords, exit statuses and what it leaves alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "support/RunProgram.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::RunProgram;
using test::TempFolder;

// The keys of a JSON object, in order.
std::vector<std::string> Keys(const nlohmann::ordered_json& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object.items()) {
    keys.push_back(key);
  }
  return keys;
}

class ScanCommandTest : public ::testing::Test {
 protected:
  ScanCommandTest() { test::WriteSample(test::MakeSample(1, 1580512205), backup_); }

  test::ProgramResult Scan(std::vector<std::string> arguments,
                           const std::optional<std::string>& input = std::nullopt) {
    arguments.insert(arguments.begin(), "scan");
    return RunProgram("zbe", arguments,
                      {{"XDG_DATA_HOME", home_.path()},
                       {"TMPDIR", tmp_.path()},
                       {"ZBE_TEMP_FOLDER", (tmp_ / "ZorvaneTempFile")},
                       {"TZ", "UTC"}},
                      input);
  }

  TempFolder temp_;
  TempFolder home_;
  TempFolder tmp_;
  std::string backup_ = temp_ / "backup";
};

TEST_F(ScanCommandTest, PrintsNameCountAndResultPerChosenCategoryInCategoryOrder) {
  auto result = Scan({backup_, "--only",
                      "reminder,whatsapp-attachments,app-videos,camera-roll,photo-stream,"
                      "message-attachments, app-photos"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "camera-roll\t12\t0\n"
            "photo-stream\t5\t0\n"
            "app-photos\t4\t0\n"
            "app-videos\t4\t0\n"
            "message-attachments\t5\t0\n"
            "whatsapp-attachments\t7\t0\n"
            "reminder\t0\t-\n");
  // Not a terminal: no progress bar.
  EXPECT_EQ(result.err, "");
}

TEST_F(ScanCommandTest, ScansEveryCategoryByDefault) {
  auto result = Scan({backup_});
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> names;
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);) {
    names.push_back(line.substr(0, line.find('\t')));
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
  }
  EXPECT_EQ(names, (std::vector<std::string>{
                       "camera-roll", "photo-stream", "app-photos", "app-videos", "messages",
                       "message-attachments", "contacts", "call-history", "notes", "whatsapp",
                       "whatsapp-attachments", "reminder", "calendar", "safari-bookmark"}));
}

TEST_F(ScanCommandTest, PrintsOneJsonObject) {
  auto result = Scan(
      {backup_, "--json", "--only", "camera-roll,app-photos,messages,contacts,whatsapp,calendar"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto scan = nlohmann::ordered_json::parse(result.out);
  auto info = RunProgram("zbe", {"info", "--json", backup_}, {{"TZ", "UTC"}});
  EXPECT_EQ(scan["summary"], nlohmann::ordered_json::parse(info.out));
  EXPECT_EQ(scan["open"], 0);
  EXPECT_EQ(Keys(scan["categories"]),
            (std::vector<std::string>{"camera-roll", "app-photos", "messages", "contacts",
                                      "whatsapp", "calendar"}));
  const auto& roll = scan["categories"]["camera-roll"];
  EXPECT_EQ(roll["result"], 0);
  ASSERT_EQ(roll["items"].size(), 12u);
  const auto& first = roll["items"][0];
  EXPECT_EQ(first["name"], "IMG_0001.JPG");
  EXPECT_EQ(first["size"], std::filesystem::file_size(first["path"].get<std::string>()));
  EXPECT_EQ(first["path"].get<std::string>().rfind(backup_ + "/", 0), 0u);
  EXPECT_EQ(first.size(), 3u);
  const auto& photo = scan["categories"]["app-photos"]["items"][0];
  EXPECT_EQ(photo["app"], "example.photoframe");
  EXPECT_EQ(photo["name"], "Export 1.PNG");
  EXPECT_TRUE(scan["categories"]["messages"]["threads"].is_array());
  EXPECT_TRUE(scan["categories"]["whatsapp"]["threads"].is_array());
  EXPECT_TRUE(scan["categories"]["contacts"]["records"].is_array());
  EXPECT_TRUE(scan["categories"]["calendar"]["result"].is_null());
}

TEST_F(ScanCommandTest, ThreadsAndRecordsCarryTheirFieldNames) {
  mkbackup::SampleOptions options;  // with the record databases
  test::WriteSample(mkbackup::MakeSampleBackup(options), temp_ / "full");
  const std::string only = "messages,contacts,call-history,notes,whatsapp";
  auto text = Scan({temp_ / "full", "--only", only});
  auto json = Scan({temp_ / "full", "--only", only, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  auto categories = nlohmann::ordered_json::parse(json.out)["categories"];
  // The counts of the text output are the threads and records of the JSON output.
  std::string counts;
  for (const auto& [name, category] : categories.items()) {
    EXPECT_EQ(category["result"], 0) << name;
    const auto& list = category.contains("threads") ? category["threads"] : category["records"];
    EXPECT_GT(list.size(), 0u) << name;
    counts += name + "\t" + std::to_string(list.size()) + "\t0\n";
  }
  EXPECT_EQ(text.out, counts);
  const auto& thread = categories["messages"]["threads"][0];
  EXPECT_EQ(Keys(thread), (std::vector<std::string>{"handleId", "messages"}));
  EXPECT_EQ(Keys(thread["messages"][0]),
            (std::vector<std::string>{"isFromMe", "rowId", "handleId", "date", "sender",
                                      "contactName", "text"}));
  EXPECT_EQ(thread["messages"][0]["handleId"], thread["handleId"]);
  const auto& chat = categories["whatsapp"]["threads"][0];
  EXPECT_EQ(Keys(chat), (std::vector<std::string>{"chatId", "messages"}));
  EXPECT_EQ(
      Keys(chat["messages"][0]),
      (std::vector<std::string>{"isFromMe", "messageId", "chatId", "date", "senderName", "text",
                                "pushName", "memberNames", "memberJids", "chatName"}));
  EXPECT_EQ(
      Keys(categories["contacts"]["records"][0]),
      (std::vector<std::string>{"email", "address", "social", "url", "phone", "company", "name"}));
  EXPECT_EQ(Keys(categories["call-history"]["records"][0]),
            (std::vector<std::string>{"answered", "duration", "date", "address", "contactName"}));
  EXPECT_EQ(Keys(categories["notes"]["records"][0]),
            (std::vector<std::string>{"date", "title", "body"}));
}

TEST_F(ScanCommandTest, RejectsBadArgumentsWithUsage) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {},
           {backup_, "--only", "photos"},
           {backup_, "--only", ""},
           {backup_, "--only", ",,"},
           {backup_, "--only"},
           {backup_, backup_},
           {backup_, "--password-stdin=x"},
       }) {
    auto result = Scan(arguments);
    EXPECT_EQ(result.status, 1) << testing::PrintToString(arguments);
    EXPECT_NE(result.err.find("usage: zbe scan"), std::string::npos);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_NE(Scan({backup_, "--only", "camera-roll,photos"}).err.find("\"photos\""),
            std::string::npos);
  auto help = Scan({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--password-stdin"), std::string::npos);
}

TEST_F(ScanCommandTest, NeedsABackupFolder) {
  auto missing = Scan({temp_ / "nothing"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("is not a folder"), std::string::npos);
  auto notBackup = Scan({home_.path()});
  EXPECT_EQ(notBackup.status, 3);
  EXPECT_NE(notBackup.err.find("no readable Info.plist"), std::string::npos);
}

TEST_F(ScanCommandTest, AnEncryptedBackupNeedsItsPasswordOnStandardInput) {
  mkbackup::SampleBackup sample = test::MakeSample(2, 1580512205);
  // An address book that does not begin with "SQLite" marks the backup as encrypted.
  sample.AddFile("HomeDomain", "Library/AddressBook/AddressBook.sqlitedb",
                 std::string(4096, '\x9C'));
  test::WriteSample(sample, temp_ / "encrypted");
  auto without = Scan({temp_ / "encrypted"});
  EXPECT_EQ(without.status, 4);
  EXPECT_NE(without.err.find("encrypted backup"), std::string::npos);
  EXPECT_NE(without.err.find("--password-stdin"), std::string::npos);
  EXPECT_EQ(without.out, "");
  auto noLine = Scan({temp_ / "encrypted", "--password-stdin"}, "");
  EXPECT_EQ(noLine.status, 4);
  EXPECT_NE(noLine.err.find("no password line"), std::string::npos);
}

TEST_F(ScanCommandTest, ReadsAPasswordLineAlsoForAPlainBackup) {
  auto result = Scan({backup_, "--password-stdin", "--only", "camera-roll"}, "secret\r\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "camera-roll\t12\t0\n");
}

TEST_F(ScanCommandTest, SaysWhenTheBackupCouldNotBeOpened) {
  test::WriteFile(temp_ / "broken/Info.plist", "<key>Display Name</key>\n<string>x</string>\n");
  auto result = Scan({temp_ / "broken", "--only", "camera-roll,reminder"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "camera-roll\t0\t0\nreminder\t0\t-\n");
  EXPECT_NE(result.err.find("could not be opened completely (result 87)"), std::string::npos);
}

TEST_F(ScanCommandTest, LeavesTheApplicationsWorkFolderAndNothingBehind) {
  std::string preview = home_.path() + "/ZorvaneBackupExtractor/tmp.jpg";
  test::WriteFile(preview, "the running application's preview");
  test::FolderSnapshot before = test::SnapshotFolder(backup_);
  auto result = Scan({backup_});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(test::ReadFile(preview), "the running application's preview");
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.path()));
  EXPECT_EQ(test::SnapshotFolder(backup_), before);
}

}  // namespace
}  // namespace zbe
