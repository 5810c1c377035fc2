// The names inside an export's output folder: run stamp, category folders, thread and chat
// names, safe names, unique names and path lengths.

#include "export/ExportNaming.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

MessageRecord Row(std::string contactName, std::string sender) {
  MessageRecord row;
  row.contactName = std::move(contactName);
  row.sender = std::move(sender);
  return row;
}

WhatsAppMessage Chat(std::string memberNames, std::string memberJids, std::string chatName) {
  WhatsAppMessage row;
  row.memberNames = std::move(memberNames);
  row.memberJids = std::move(memberJids);
  row.chatName = std::move(chatName);
  return row;
}

TEST(RunStamp, IsFourteenDigitsOfLocalTime) {
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 5;
  local.tm_hour = 7;
  local.tm_min = 8;
  local.tm_sec = 9;
  EXPECT_EQ(RunStamp(local), "20240305070809");
}

TEST(CategoryFolder, NamesTheElevenExportedCategoriesAndNothingElse) {
  const char* expected[] = {
      "Camera Roll",         "Photo Stream", "App Photos",  "App Video", "Message",
      "Message Attachments", "Contacts",     "CallHistory", "Notes",     "WhatsApp Message",
      "WhatsApp Attachments"};
  for (int32_t number = 1; number <= 11; ++number) {
    EXPECT_EQ(CategoryFolder(number), expected[number - 1]) << number;
  }
  EXPECT_EQ(CategoryFolder(0), "");
  EXPECT_EQ(CategoryFolder(12), "");
  EXPECT_EQ(CategoryFolder(-1), "");
}

TEST(SafeName, KeepsEveryNameOnePathComponent) {
  EXPECT_EQ(SafeName("../../evil"), "_._.._evil");
  EXPECT_EQ(SafeName("a/../../b"), "a_.._.._b");
  EXPECT_EQ(SafeName("..\\x"), "_._x");
  EXPECT_EQ(SafeName("."), "_");
  EXPECT_EQ(SafeName(".hidden"), "_hidden");
  EXPECT_EQ(SafeName("tab\there\nnew\x7f"), "tab_here_new_");
  EXPECT_EQ(SafeName(""), "Unknown");
  EXPECT_EQ(SafeName("Zoë 🌸 Ng"), "Zoë 🌸 Ng");
  EXPECT_EQ(SafeName("a.b.c"), "a.b.c");
}

TEST(SafeName, CutsLongNamesOnACharacterBoundary) {
  std::string name;
  for (int i = 0; i < 100; ++i) {
    name += "é";  // two bytes each
  }
  name = "x" + name;  // 201 bytes: the cut falls inside a character
  std::string safe = SafeName(name);
  EXPECT_EQ(safe.size(), 199u);
  EXPECT_EQ(safe, name.substr(0, 199));
  EXPECT_EQ(SafeName(std::string(500, 'a')), std::string(kSafeNameMaxBytes, 'a'));
}

TEST(ThreadNames, UseTheContactOrUnknownAndTheSender) {
  EXPECT_EQ(ThreadFolderName(Row("Ann Lee", "+1555"), "20240101000000"), "Ann Lee-20240101000000");
  EXPECT_EQ(ThreadBaseName(Row("Ann Lee", "+1555")), "Ann Lee(+1555)");
  EXPECT_EQ(ThreadFolderName(Row("", "+1555"), "20240101000000"), "Unknown-20240101000000");
  EXPECT_EQ(ThreadBaseName(Row("", "+1555")), "Unknown(+1555)");
  EXPECT_EQ(ThreadBaseName(Row("Ann", "")), "Ann");
  EXPECT_EQ(ThreadName(Row("", "x")), "Unknown");
  EXPECT_EQ(ThreadFolderName(Row("../../evil", "x"), "1"), "_._.._evil-1");
  EXPECT_EQ(ThreadBaseName(Row("Jean/Luc", "a/b")), "Jean_Luc(a_b)");
}

TEST(ChatNames, UseMembersOrTheGroupsName) {
  EXPECT_EQ(ChatLabel(Chat("Ann", "1@s", "Ann chat")), "Ann(1@s)");
  EXPECT_EQ(ChatLabel(Chat("", "1@s", "x")), "1@s");
  EXPECT_EQ(ChatLabel(Chat("Ann,Bob", "1@s,2@s", "Trip")), "Trip");
  EXPECT_EQ(ChatLabel(Chat("Ann,Bob", "1@s,2@s", "")), "Unknown");
  EXPECT_EQ(ChatLabel(Chat("", "", "x")), "Unknown");
  EXPECT_EQ(ChatFolderName(Chat("Ann,Bob", "", "Hiking / Climbing"), "7"), "Hiking _ Climbing-7");
  EXPECT_EQ(ChatBaseName(Chat("", "", "")), "Unknown");
}

TEST(UniquePath, AddsTheFirstFreeNumberBeforeTheExtension) {
  TempFolder temp;
  EXPECT_EQ(UniquePath(temp / "a.txt"), temp / "a.txt");
  WriteFile(temp / "a.txt", "1");
  EXPECT_EQ(UniquePath(temp / "a.txt"), temp / "a(1).txt");
  WriteFile(temp / "a(1).txt", "2");
  EXPECT_EQ(UniquePath(temp / "a.txt"), temp / "a(2).txt");
  WriteFile(temp / "archive.tar.gz", "3");
  EXPECT_EQ(UniquePath(temp / "archive.tar.gz"), temp / "archive.tar(1).gz");
  WriteFile(temp / "v1.0/README", "4");
  EXPECT_EQ(UniquePath(temp / "v1.0/README"), temp / "v1.0/README(1)");
  // A missing folder leaves the path as it is; creating it reports the real error.
  EXPECT_EQ(UniquePath(temp / "missing/a.txt"), temp / "missing/a.txt");
}

TEST(UniquePath, TakesADanglingLinkAsTaken) {
  TempFolder temp;
  ASSERT_EQ(symlink((temp / "nowhere").c_str(), (temp / "link.html").c_str()), 0);
  EXPECT_EQ(UniquePath(temp / "link.html"), temp / "link(1).html");
}

TEST(CheckPathLength, RefusesPathsThePlatformCannotOpen) {
  EXPECT_EQ(CheckPathLength("/tmp/out/Camera Roll/IMG_0001.JPG"), 0);
  EXPECT_EQ(CheckPathLength("/" + std::string(NAME_MAX, 'a')), 0);
  EXPECT_EQ(CheckPathLength("/" + std::string(NAME_MAX + 1, 'a') + "/b"), ENAMETOOLONG);
  std::string deep;
  while (deep.size() < PATH_MAX) {
    deep += "/" + std::string(100, 'd');
  }
  EXPECT_EQ(CheckPathLength(deep), ENAMETOOLONG);
}

}  // namespace
}  // namespace zbe
