#include "backup/RecoverySource.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "backup/CBackupParser.h"
#include "backup/CLocalBuckupRecovery.h"
#include "records/ResultCodes.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;
using test::TempFolder;

int32_t Count(void* userData, int32_t) {
  ++*static_cast<int*>(userData);
  return 0;
}

class RecoverySourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_ / "backup";
    test::WriteSample(test::MakeSample(1, 1580512205), folder_);
    BackupSummary summary;
    ASSERT_EQ(parser_.ReadBackupSummary(folder_, summary), kResultOk);
    parser_.SetBackup(summary);
  }

  TempFolder home_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  CBackupParser parser_;
  std::string folder_;
};

TEST_F(RecoverySourceTest, UnknownKindsGiveNoSource) {
  EXPECT_EQ(CreateRecoverySource(0, &parser_), nullptr);
  EXPECT_EQ(CreateRecoverySource(2, &parser_), nullptr);
  EXPECT_NE(CreateRecoverySource(kLocalBackupSource, &parser_), nullptr);
}

TEST_F(RecoverySourceTest, ForwardsToTheParser) {
  auto source = CreateRecoverySource(kLocalBackupSource, &parser_);
  int reports = 0;
  EXPECT_EQ(source->SetProgressCallback(Count, &reports), kResultOk);
  EXPECT_EQ(source->Open(""), kResultOk);
  EXPECT_EQ(reports, 3);
  EXPECT_FALSE(parser_.manifest().empty());
  EXPECT_TRUE(source->IsBackupSource(nullptr));
  EXPECT_EQ(source->Reserved(nullptr), kResultOk);
  ContactList contacts;
  // This sample has no address book: the read gives SQLite's code for a missing file.
  EXPECT_EQ(source->ReadContacts(contacts), SQLITE_CANTOPEN);
}

TEST_F(RecoverySourceTest, DeletingTheSourceLeavesTheParserIntact) {
  auto source = CreateRecoverySource(kLocalBackupSource, &parser_);
  ASSERT_EQ(source->Open(""), kResultOk);
  size_t entries = parser_.manifest().size();
  source.reset();
  EXPECT_EQ(parser_.manifest().size(), entries);
  EXPECT_EQ(parser_.backupFolder(), folder_);
  // A new source over the same parser reads the same backup.
  auto next = CreateRecoverySource(kLocalBackupSource, &parser_);
  EXPECT_EQ(next->Open(""), kResultOk);
  EXPECT_EQ(parser_.manifest().size(), entries);
}

TEST_F(RecoverySourceTest, CopiesThroughTheSource) {
  auto source = CreateRecoverySource(kLocalBackupSource, &parser_);
  ASSERT_EQ(source->Open(""), kResultOk);
  std::string stored = parser_.FindStoredFiles("Documents/Welcome.txt").at(0);
  EXPECT_EQ(source->CopyStoredFile(stored, home_ / "out/Welcome.txt", nullptr, nullptr), 0);
  EXPECT_EQ(test::ReadFile(home_ / "out/Welcome.txt"), test::ReadFile(stored));
  EXPECT_EQ(source->CopyMessagesDatabase(home_ / "out/sms.sqlite"), kResultMissingFile);
}

TEST_F(RecoverySourceTest, ASourceWithoutParserFailsCleanly) {
  CLocalBuckupRecovery source;
  WhatsAppThreadMap chats;
  EXPECT_EQ(source.Open(""), kResultMissingFile);
  EXPECT_EQ(source.SetProgressCallback(nullptr, nullptr), kResultMissingFile);
  EXPECT_EQ(source.ReadWhatsApp(chats), kResultMissingFile);
  EXPECT_EQ(source.CopyStoredFile("a", "b", nullptr, nullptr), kResultMissingFile);
  EXPECT_TRUE(source.IsBackupSource(nullptr));
  EXPECT_EQ(source.ReadQQChats(chats), kResultMissingFile);
  EXPECT_EQ(source.ExportWeChatChatText(1, 2, "x", nullptr, nullptr), kResultMissingFile);
}

}  // namespace
}  // namespace zbe
