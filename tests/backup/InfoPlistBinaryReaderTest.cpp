#include "backup/InfoPlistBinaryReader.h"

#include <gtest/gtest.h>

#include "backup/BackupDiscovery.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/MetadataPlists.h"
#include "tools/mkbackup/SampleBackup.h"

namespace zbe {
namespace {

using mkbackup::PlistPtr;
using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

mkbackup::DeviceInfo Device() {
  mkbackup::SampleBackup sample(5, 1580512205);  // 2020-01-31T23:10:05Z
  mkbackup::DeviceInfo device = sample.device();
  device.displayName = "Tom & Jerry \xF0\x9F\x93\xB1";
  device.productVersion = "12.1.2";
  return device;
}

TEST(InfoPlistBinary, RecognisesTheMagic) {
  EXPECT_TRUE(IsBinaryPlist("bplist00\x01"));
  EXPECT_FALSE(IsBinaryPlist("<?xml"));
  EXPECT_FALSE(IsBinaryPlist("bplist"));
}

TEST(InfoPlistBinary, GivesTheSameSummaryAsTheXmlForm) {
  ScopedEnv tz("TZ", "XXX-1");
  PlistPtr plist = mkbackup::BuildInfoPlist(Device());
  TempFolder xml;
  TempFolder binary;
  WriteFile(xml / "Info.plist", mkbackup::PlistToXml(plist.get()));
  WriteFile(binary / "Info.plist", mkbackup::PlistToBinary(plist.get()));
  BackupSummary fromXml;
  BackupSummary fromBinary;
  ASSERT_EQ(ReadSummaryOfFolder(xml.path(), fromXml), Result::Ok());
  ASSERT_EQ(ReadSummaryOfFolder(binary.path(), fromBinary), Result::Ok());
  EXPECT_EQ(fromBinary.displayName, "Tom & Jerry \xF0\x9F\x93\xB1");
  EXPECT_EQ(fromBinary.lastBackupDate, "2020-02-01 00:10:05");
  EXPECT_TRUE(fromBinary.modernVersion);
  EXPECT_EQ(fromBinary.displayName, fromXml.displayName);
  EXPECT_EQ(fromBinary.lastBackupDate, fromXml.lastBackupDate);
  EXPECT_EQ(fromBinary.phoneNumber, fromXml.phoneNumber);
  EXPECT_EQ(fromBinary.serialNumber, fromXml.serialNumber);
  EXPECT_EQ(fromBinary.modernVersion, fromXml.modernVersion);
  EXPECT_FALSE(fromBinary.serialNumber.empty());
}

TEST(InfoPlistBinary, LeavesMissingAndMistypedKeysEmpty) {
  PlistPtr root(plist_new_dict());
  plist_dict_set_item(root.get(), "Display Name", plist_new_uint(7));
  plist_dict_set_item(root.get(), "Product Version", plist_new_string("11.4"));
  plist_dict_set_item(root.get(), "Last Backup Date", plist_new_string("2020-01-31T23:10:05Z"));
  BackupSummary summary;
  ScopedEnv tz("TZ", "UTC");
  ReadInfoPlistBinary(mkbackup::PlistToBinary(root.get()), summary);
  EXPECT_EQ(summary.displayName, "");
  EXPECT_EQ(summary.phoneNumber, "");
  EXPECT_FALSE(summary.modernVersion);
  // A date stored as a string goes through the text form's conversion.
  EXPECT_EQ(summary.lastBackupDate, "2020-01-31 23:10:05");
}

TEST(InfoPlistBinary, IgnoresAFileThatIsNotAPropertyList) {
  BackupSummary summary;
  ReadInfoPlistBinary("bplist00 and then garbage", summary);
  EXPECT_EQ(summary.displayName, "");
  PlistPtr array(plist_new_array());
  ReadInfoPlistBinary(mkbackup::PlistToBinary(array.get()), summary);
  EXPECT_EQ(summary.serialNumber, "");
}

// Found by fuzzing: the property-list library aborts the program when asked for a string
// holding the character U+0000 as a C string. The value ends there instead.
TEST(InfoPlistBinary, CutsAStringAtAZeroCharacter) {
  using namespace std::string_literals;
  // { "Display Name": "A\0" as UTF-16 } by hand; the library itself cannot write it.
  const std::string plist =
      "bplist00"
      "\xD1\x01\x02"  // object 0: a dictionary of one entry
      "\x5C"          // object 1: an ASCII string of 12 characters
      "Display Name"
      "\x62\x00\x41\x00\x00"s               // object 2: a UTF-16 string of 2 units, "A" and U+0000
      "\x08\x0B\x18"                        // the objects' offsets
      "\x00\x00\x00\x00\x00\x00\x01\x01"s   // trailer: 1-byte offsets and references,
      "\x00\x00\x00\x00\x00\x00\x00\x03"s   // 3 objects,
      "\x00\x00\x00\x00\x00\x00\x00\x00"s   // the top object 0,
      "\x00\x00\x00\x00\x00\x00\x00\x1D"s;  // the offset table at 29
  BackupSummary summary;
  ReadInfoPlistBinary(plist, summary);
  EXPECT_EQ(summary.displayName, "A");
}

}  // namespace
}  // namespace zbe
