#include "backup/ManifestMbdbReader.h"

#include <gtest/gtest.h>

#include "backup/Sha1.h"
#include "backup/StoredFiles.h"
#include "records/ResultCodes.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

// One record of HomeDomain / Library/SMS/sms.db, byte for byte: strings as a big-endian 16-bit
// length and bytes (FF FF: absent), then mode 81A4, inode, user, group, three times, size,
// protection class and the property count.
const std::string kSmsRecord = std::string(
    "\x00\x0A"
    "HomeDomain"
    "\x00\x12"
    "Library/SMS/sms.db"
    "\xFF\xFF"  // link target
    "\x00\x02"
    "\xAB\xCD"                          // data hash (2 bytes here)
    "\xFF\xFF"                          // encryption key
    "\x81\xA4"                          // mode: regular file
    "\x00\x00\x00\x00\x00\x01\x02\x03"  // inode
    "\x00\x00\x01\xF5"
    "\x00\x00\x01\xF5"  // user, group
    "\x5E\x34\xB4\x4D"
    "\x5E\x34\xB4\x4D"
    "\x5E\x34\xB4\x4D"                  // modified, accessed, created
    "\x00\x00\x00\x00\x00\x00\x70\x00"  // size
    "\x04"                              // protection class
    "\x01"                              // one property
    "\x00\x04"
    "name"
    "\x00\x05"
    "value",
    2 + 10 + 2 + 18 + 2 + 4 + 2 + 2 + 8 + 8 + 12 + 8 + 1 + 1 + 6 + 7);

std::string Header() {
  return std::string("mbdb\x05\x00", 6);
}

std::string Str(const std::string& text) {
  return std::string{static_cast<char>(text.size() >> 8), static_cast<char>(text.size() & 0xFF)} +
         text;
}

// A record without hash, key or properties.
std::string Record(const std::string& domain, const std::string& path, uint16_t mode,
                   bool absentPath = false) {
  std::string bytes = Str(domain) + (absentPath ? std::string("\xFF\xFF") : Str(path));
  bytes += std::string("\xFF\xFF\xFF\xFF\xFF\xFF", 6);
  bytes += static_cast<char>(mode >> 8);
  bytes += static_cast<char>(mode & 0xFF);
  bytes += std::string(8 + 4 + 4 + 12 + 8 + 1 + 1, '\0');
  return bytes;
}

TEST(ParseManifestMbdb, ReadsAFileRecordAndNamesItBySha1) {
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ParseManifestMbdb(Header() + kSmsRecord, entries), Result::Ok());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, "HomeDomain-Library/SMS/sms.db");
  // The SHA-1 of the entry path is the messages database's well-known name.
  EXPECT_EQ(entries[0].fileID, kMessagesHashedName);
}

TEST(ParseManifestMbdb, SkipsFoldersAndRecordsWithoutDomainOrPath) {
  std::string data = Header() + Record("HomeDomain", "Library", 0x41ED) +
                     Record("HomeDomain", "", 0x41ED) + Record("HomeDomain", "", 0x81A4, true) +
                     Record("", "orphan.txt", 0x81A4) + Record("HomeDomain", "link", 0xA1ED) +
                     kSmsRecord;
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ParseManifestMbdb(data, entries), Result::Ok());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].path, "HomeDomain-link");  // links are listed like files
  EXPECT_EQ(entries[1].path, "HomeDomain-Library/SMS/sms.db");
}

TEST(ParseManifestMbdb, HashesBytesAboveAsciiLikeAnyOther) {
  std::string path = "Media/DCIM/caf\xC3\xA9.jpg";
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ParseManifestMbdb(Header() + Record("CameraRollDomain", path, 0x81A4), entries),
            Result::Ok());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, "CameraRollDomain-" + path);
  EXPECT_EQ(entries[0].fileID, Sha1Hex("CameraRollDomain-" + path));
  EXPECT_EQ(entries[0].fileID.size(), 40u);
}

TEST(ParseManifestMbdb, StopsAtATruncatedRecordAndKeepsTheOnesBefore) {
  std::string first = Record("HomeDomain", "a.txt", 0x81A4);
  std::string second = Record("HomeDomain", "b.txt", 0x81A4);
  // Cut the second record at every possible place: never read past the data, keep the first.
  for (size_t cut = 1; cut < second.size(); ++cut) {
    std::vector<ManifestEntry> entries;
    ASSERT_EQ(ParseManifestMbdb(Header() + first + second.substr(0, cut), entries), Result::Ok());
    ASSERT_EQ(entries.size(), 1u) << "cut at " << cut;
    EXPECT_EQ(entries[0].path, "HomeDomain-a.txt");
  }
  // A string length that points past the end.
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ParseManifestMbdb(Header() + first +
                                  std::string("\x7F\xFF"
                                              "abc",
                                              5),
                              entries),
            Result::Ok());
  EXPECT_EQ(entries.size(), 1u);
}

TEST(ParseManifestMbdb, RequiresTheMagic) {
  std::vector<ManifestEntry> entries;
  EXPECT_EQ(ParseManifestMbdb("mbdx\x05\x00" + kSmsRecord, entries), Result(kMissingFile));
  EXPECT_EQ(ParseManifestMbdb("", entries), Result(kMissingFile));
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(ParseManifestMbdb("mbdb", entries), Result::Ok());  // a header cut short: no records
}

TEST(ReadManifestMbdb, GivesItsOwnCodeWhenTheFileCannotBeOpened) {
  TempFolder temp;
  std::vector<ManifestEntry> entries;
  EXPECT_EQ(ReadManifestMbdb(temp / "Manifest.mbdb", entries), Result(kMbdbNotOpenable));
  WriteFile(temp / "Manifest.mbdb", Header() + kSmsRecord + kSmsRecord);
  entries.push_back({"earlier", "x"});
  ASSERT_EQ(ReadManifestMbdb(temp / "Manifest.mbdb", entries), Result::Ok());
  ASSERT_EQ(entries.size(), 3u);  // appended
  EXPECT_EQ(entries[2].fileID, kMessagesHashedName);
}

}  // namespace
}  // namespace zbe
