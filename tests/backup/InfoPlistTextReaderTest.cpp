#include "backup/InfoPlistTextReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;

// Reads "text" as the lines of an "Info.plist" in the time zone "tz".
BackupSummary Read(const std::string& text, const char* tz = "UTC") {
  ScopedEnv zone("TZ", tz);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      fmemopen(const_cast<char*>(text.data()), text.size(), "r"), std::fclose);
  BackupSummary summary;
  EXPECT_TRUE(file != nullptr);
  if (file) {
    ReadInfoPlistText(file.get(), summary);
  }
  return summary;
}

std::string Plist(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\">\n<dict>\n" +
         body + "</dict>\n</plist>\n";
}

const std::string kFullBody =
    "\t<key>Build Version</key>\n\t<string>17B84</string>\n"
    "\t<key>Display Name</key>\n\t<string>Ann\xE2\x80\x99s iPhone</string>\n"
    "\t<key>Last Backup Date</key>\n\t<date>2020-01-31T23:10:05Z</date>\n"
    "\t<key>Phone Number</key>\n\t<string>+1 (555) 010-0000</string>\n"
    "\t<key>Product Version</key>\n\t<string>12.1.2</string>\n"
    "\t<key>Serial Number</key>\n\t<string>F17XK0ABCDEF</string>\n"
    "\t<key>Target Identifier</key>\n\t<string>abc</string>\n";

TEST(InfoPlistText, ReadsTheFiveFields) {
  BackupSummary summary = Read(Plist(kFullBody));
  EXPECT_EQ(summary.displayName, "Ann\xE2\x80\x99s iPhone");
  EXPECT_EQ(summary.lastBackupDate, "2020-01-31 23:10:05");
  EXPECT_EQ(summary.phoneNumber, "+1 (555) 010-0000");
  EXPECT_TRUE(summary.modernVersion);
  EXPECT_EQ(summary.serialNumber, "F17XK0ABCDEF");
}

TEST(InfoPlistText, ShiftsTheDateByTheZonesBaseBias) {
  EXPECT_EQ(Read(Plist(kFullBody), "XXX-1").lastBackupDate, "2020-02-01 00:10:05");
  EXPECT_EQ(Read(Plist(kFullBody), "EST5EDT,M3.2.0,M11.1.0").lastBackupDate, "2020-01-31 18:10:05");
}

TEST(InfoPlistText, KeepsADateWithoutSeparatorsAsWritten) {
  BackupSummary summary =
      Read(Plist("<key>Last Backup Date</key>\n<date>20200131T231005Z</date>\n"));
  EXPECT_EQ(summary.lastBackupDate, "20200131 231005");
}

TEST(InfoPlistText, SetsModernVersionAboveEleven) {
  auto version = [](const std::string& value) {
    return Read(Plist("<key>Product Version</key>\n<string>" + value + "</string>\n"))
        .modernVersion;
  };
  EXPECT_TRUE(version("12.1.2"));
  EXPECT_TRUE(version("17.1"));
  EXPECT_FALSE(version("11.4"));
  EXPECT_FALSE(version("beta"));
  EXPECT_FALSE(Read(Plist("<key>Display Name</key>\n<string>x</string>\n")).modernVersion);
}

TEST(InfoPlistText, StopsAfterTheSerialNumber) {
  BackupSummary summary =
      Read(Plist("<key>Serial Number</key>\n<string>S1</string>\n"
                 "<key>Display Name</key>\n<string>Too late</string>\n"
                 "<key>Phone Number</key>\n<string>555</string>\n"));
  EXPECT_EQ(summary.serialNumber, "S1");
  EXPECT_EQ(summary.displayName, "");
  EXPECT_EQ(summary.phoneNumber, "");
}

TEST(InfoPlistText, ReadsNothingFromAOneLinePlist) {
  BackupSummary summary = Read(
      "<plist><dict><key>Display Name</key><string>One</string><key>Serial Number</key>"
      "<string>S</string><key>Product Version</key><string>14.0</string></dict></plist>");
  EXPECT_EQ(summary.displayName, "");
  EXPECT_EQ(summary.serialNumber, "");
  EXPECT_FALSE(summary.modernVersion);
}

TEST(InfoPlistText, TakesTheValueFromTheNextLineOnly) {
  // The value line is never tested for keys, and a key line at the end sets nothing.
  BackupSummary summary = Read(
      "<key>Display Name</key>\n<key>Phone Number</key>\n<string>555</string>\n"
      "<key>Serial Number</key>");
  EXPECT_EQ(summary.displayName, "");
  EXPECT_EQ(summary.phoneNumber, "");
  EXPECT_EQ(summary.serialNumber, "");
}

TEST(InfoPlistText, LeavesAFieldEmptyWithoutItsOpeningTag) {
  BackupSummary summary = Read(
      "<key>Display Name</key>\nplain text</string>\n"
      "<key>Last Backup Date</key>\n2020-01-31T23:10:05Z\n"
      "<key>Phone Number</key>\n<integer>5</integer>\n");
  EXPECT_EQ(summary.displayName, "");
  EXPECT_EQ(summary.lastBackupDate, "");
  EXPECT_EQ(summary.phoneNumber, "");
}

TEST(InfoPlistText, DecodesCharacterReferences) {
  BackupSummary summary = Read(Plist(
      "<key>Display Name</key>\n<string>Tom &amp; Jerry&apos;s &lt;Phone&gt; &#x1F600;</string>\n"
      "<key>Serial Number</key>\n<string>A&amp;B &unknown; &#0;</string>\n"));
  EXPECT_EQ(summary.displayName, "Tom & Jerry's <Phone> \xF0\x9F\x98\x80");
  EXPECT_EQ(summary.serialNumber, "A&B &unknown; &#0;");
}

TEST(InfoPlistText, HandlesCrLfAndBrokenUtf8) {
  BackupSummary summary = Read(
      "<key>Display Name</key>\r\n<string>Bad\xFF</string>\r\n"
      "<key>Serial Number</key>\r\n<string>S2\r\n");
  EXPECT_EQ(summary.displayName, "Bad\xEF\xBF\xBD");
  EXPECT_EQ(summary.serialNumber, "S2");  // no closing tag: to the line's end
}

TEST(InfoPlistText, SplitsLinesLongerThan2047Bytes) {
  // The key's line is 2047 bytes of padding and then the key: the key lands in a second piece,
  // whose "next line" is the value line.
  std::string padded = std::string(2047, ' ') + "<key>Display Name</key>\n<string>Split</string>\n";
  EXPECT_EQ(Read(padded).displayName, "Split");
  // A key that straddles the 2047-byte boundary is not seen.
  std::string straddling =
      std::string(2040, ' ') + "<key>Display Name</key>\n<string>Lost</string>\n";
  EXPECT_EQ(Read(straddling).displayName, "");
}

}  // namespace
}  // namespace zbe
