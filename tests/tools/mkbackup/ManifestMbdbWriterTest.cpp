#include "tools/mkbackup/ManifestMbdbWriter.h"

#include <gtest/gtest.h>

#include "backup/ManifestMbdbReader.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {
namespace {

TEST(EncodeManifestMbdb, WritesRecordsByteForByte) {
  StoredFile folder;
  folder.domain = "D";
  folder.relativePath = "f";
  folder.mode = kModeFolder;
  folder.inode = 0x0102;
  folder.modified = 0x5E34B44D;
  folder.created = 0x5E34B44C;
  folder.protectionClass = 4;
  StoredFile file = folder;
  file.relativePath = "f/a";
  file.mode = kModeFile;
  file.contents = "abc";
  file.protectionClass = 3;
  static const char kExpected[] =
      "mbdb\x05\x00"
      // folder: domain "D", path "f", no link, hash or key, mode 41ED
      "\x00\x01"
      "D"
      "\x00\x01"
      "f"
      "\xFF\xFF"
      "\xFF\xFF"
      "\xFF\xFF"
      "\x41\xED"
      "\x00\x00\x00\x00\x00\x00\x01\x02"
      "\x00\x00\x01\xF5"
      "\x00\x00\x01\xF5"
      "\x5E\x34\xB4\x4D"
      "\x5E\x34\xB4\x4D"
      "\x5E\x34\xB4\x4C"
      "\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x04"
      "\x00"
      // file: the SHA-1 of "abc" as data hash, size 3
      "\x00\x01"
      "D"
      "\x00\x03"
      "f/a"
      "\xFF\xFF"
      "\x00\x14"
      "\xA9\x99\x3E\x36\x47\x06\x81\x6A\xBA\x3E\x25\x71\x78\x50\xC2\x6C\x9C\xD0\xD8\x9D"
      "\xFF\xFF"
      "\x81\xA4"
      "\x00\x00\x00\x00\x00\x00\x01\x02"
      "\x00\x00\x01\xF5"
      "\x00\x00\x01\xF5"
      "\x5E\x34\xB4\x4D"
      "\x5E\x34\xB4\x4D"
      "\x5E\x34\xB4\x4C"
      "\x00\x00\x00\x00\x00\x00\x00\x03"
      "\x03"
      "\x00";
  EXPECT_EQ(EncodeManifestMbdb({folder, file}), std::string(kExpected, sizeof kExpected - 1));
}

TEST(EncodeManifestMbdb, ReadsBackAsTheSampleFilesAndLinks) {
  SampleBackup sample = MakeSampleBackup({});
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ParseManifestMbdb(EncodeManifestMbdb(sample.files()), entries), Result::Ok());
  std::vector<std::string> expected;
  for (const StoredFile& file : sample.files()) {
    if (!file.isFolder()) {
      expected.push_back(file.manifestPath() + " " + file.fileID());
    }
  }
  std::vector<std::string> actual;
  for (const ManifestEntry& entry : entries) {
    actual.push_back(entry.path + " " + entry.fileID);
  }
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace zbe::mkbackup
