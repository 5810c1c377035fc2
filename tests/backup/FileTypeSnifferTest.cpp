#include "backup/FileTypeSniffer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using namespace std::string_literals;
using test::TempFolder;
using test::WriteFile;

// "start" placed at the beginning of 512 bytes of filler that matches nothing.
std::string Head(const std::string& start, size_t size = kSniffBytes) {
  std::string bytes(size, 'z');
  bytes.replace(0, std::min(start.size(), size), start.substr(0, size));
  return bytes;
}

// "bytes" written at "at" into a head.
std::string With(std::string head, size_t at, const std::string& bytes) {
  head.replace(at, bytes.size(), bytes);
  return head;
}

std::string Le16(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Le32(uint32_t v) {
  return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// An icon directory of entries with the given image sizes and offsets.
std::string Icon(const std::vector<std::pair<uint32_t, uint32_t>>& sizeAndOffset) {
  std::string bytes = "\x00\x00\x01\x00"s + Le16(static_cast<uint32_t>(sizeAndOffset.size()));
  for (const auto& [size, offset] : sizeAndOffset) {
    bytes += "\x10\x10\x00\x00\x01\x00\x20\x00"s + Le32(size) + Le32(offset);
  }
  return Head(bytes);
}

// The sniffed name of "bytes" as a stored file ("" when not recognised).
std::string Sniff(const std::string& bytes) {
  TempFolder temp;
  WriteFile(temp / "stored", bytes);
  std::string name = "left over";
  int64_t counter = 0;
  EXPECT_EQ(SniffFileType(temp / "stored", name, counter), 0);
  return name;
}

struct Case {
  const char* what;
  std::string bytes;
  const char* name;  // the sniffed name with counter 0, or "" when not recognised
};

TEST(FileTypeSniffer, HasTwentyOneRowsWithTheirCodes) {
  const auto& table = FileTypeSniffer();
  std::string rows;
  for (const FileTypeSnifferRow& row : table) {
    rows += std::string(row.extension) + ":" + std::to_string(row.code) + " ";
  }
  EXPECT_EQ(rows,
            "mpeg:15 mpg:15 vob:15 mp4:18 rmvb:23 wmv:24 wma:24 avi:22 3gp:16 mp3:12 mid:13 wav:21 "
            "mov:17 gif:31 bmp:29 jpg:10 jpeg:10 jpe:10 png:30 ico:46 heic:32 ");
}

TEST(FileTypeSniffer, RecognisesEachTypeByItsFirstBytes) {
  const std::string asf = "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C"s;
  const std::vector<Case> cases = {
      {"program stream", With(Head("\x00\x00\x01\xBA"s), 28, "\x00\x00\x01\xBB"s), "0.mpeg"},
      {"video stream", With(Head("\x00\x00\x01\xB3"s), 12, "\x00\x00\x01\xB8"s), "0.mpeg"},
      {"mp4 iso brand",
       Head("\x00\x00\x00\x20"
            "ftypisom"s),
       "0.mp4"},
      {"mp4 iso2 brand",
       Head("\x00\x00\x00\x20"
            "ftypiso2"s),
       "0.mp4"},
      {"mp4 mp42 brand",
       Head("\x00\x00\x00\x20"
            "ftypmp42"s),
       "0.mp4"},
      {"real media", Head(".RMF\x00\x00\x00\x12"s), "0.rmvb"},
      {"asf, named as the first row with its code", Head(asf), "0.wmv"},
      {"avi",
       Head("RIFF\x10\x00\x00\x00"
            "AVI LIST"s),
       "0.avi"},
      {"3gp before mp4",
       Head("\x00\x00\x00\x18"
            "ftyp3gp4"s),
       "0.3gp"},
      {"id3", Head("ID3\x03\x00\x00\x00\x00\x7F\x7F"s), "0.mp3"},
      {"midi", With(Head("MThd\x00\x00\x00\x06\x00\x01\x00\x02\x01\xE0"s), 14, "MTrk"), "0.mid"},
      {"wave",
       Head("RIFF\x24\x08\x00\x00"
            "WAVEfmt "s),
       "0.wav"},
      {"moov first", Head("moov"), "0.mov"},
      {"quicktime brand",
       Head("\x00\x00\x00\x14"
            "ftypqt  "s),
       "0.mov"},
      {"gif", Head("GIF89a"), "0.gif"},
      {"bmp", With(Head("BM\x36\x00\x01\x00\x00\x00\x00\x00\x36\x00\x00\x00"s), 14, Le32(40)),
       "0.bmp"},
      {"bmp of OS/2", With(Head("BA"), 6, "\0\0\0\0"s + "xxxx" + Le32(40)), "0.bmp"},
      {"jfif", Head("\xFF\xD8\xFF\xE0\x00\x10JFIF"s), "0.jpg"},
      {"exif",
       Head("\xFF\xD8\xFF\xE1\x01\x00"
            "Exif"s),
       "0.jpg"},
      {"jpeg straight to its tables", Head("\xFF\xD8\xFF\xDB\x00\x84\x00"s), "0.jpg"},
      {"png", Head("\x89PNG\r\n\x1A\n"s), "0.png"},
      {"icon of one image", Icon({{1000, 22}}), "0.ico"},
      {"icon of images in a row", Icon({{1000, 38}, {500, 1038}}), "0.ico"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sniff(c.bytes), c.name) << c.what;
  }
}

TEST(FileTypeSniffer, LeavesOutNearMisses) {
  const std::vector<Case> cases = {
      {"avif",
       Head("\x00\x00\x00\x1C"
            "ftypavif"s),
       ""},
      {"camera raw",
       Head("\x00\x00\x00\x18"
            "ftypcrx "s),
       ""},
      {"heif brand not at the major brand",
       Head("\x00\x00\x00\x18"
            "ftypXXXX\0\0\0\0heic"s),
       ""},
      {"heif brand without its box",
       Head("\x00\x00\x00\x18"
            "fty heic"s),
       ""},
      {"jpeg with an icc profile first", Head("\xFF\xD8\xFF\xE2\x02\x1C"s), ""},
      {"jfif marker without its name", Head("\xFF\xD8\xFF\xE0\x00\x10JFXX"s), ""},
      {"system header past offset 28", With(Head("\x00\x00\x01\xBA"s), 29, "\x00\x00\x01\xBB"s),
       ""},
      {"pack header with a group start", With(Head("\x00\x00\x01\xBA"s), 8, "\x00\x00\x01\xB8"s),
       ""},
      {"id3 version FF", Head("ID3\xFF\x00\x00\x00\x00\x00\x00"s), ""},
      {"id3 with undefined flags", Head("ID3\x03\x00\x01\x00\x00\x00\x00"s), ""},
      {"id3 size not synchsafe", Head("ID3\x03\x00\x00\x00\x80\x00\x00"s), ""},
      {"midi header of length 7", With(Head("MThd\x00\x00\x00\x07"s), 14, "MTrk"), ""},
      {"riff of another kind",
       Head("RIFF\x24\x08\x00\x00"
            "WEBPVP8 "s),
       ""},
      {"gif with a capital", Head("GIF89A"), ""},
      {"gif without digits", Head("GIF8xa"), ""},
      {"bmp with reserved bytes", With(Head("BM\x36\x00\x01\x00\x01\x00"s), 14, Le32(40)), ""},
      {"bmp with a core header", With(Head("BM\x36\x00\x01\x00\x00\x00\x00\x00"s), 14, Le32(12)),
       ""},
      {"icon without images", Head("\x00\x00\x01\x00\x00\x00"s), ""},
      {"icon with a gap between images", Icon({{1000, 38}, {500, 1039}}), ""},
      {"icon with a reserved byte", With(Icon({{1000, 22}}), 9, "\x01"), ""},
      {"cursor", With(Icon({{1000, 22}}), 2, "\x02"), ""},
      {"text", Head("Welcome to your notes."), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sniff(c.bytes), c.name) << c.what;
  }
}

TEST(FileTypeSniffer, RecognisesHeifByTheBrandsOfItsStandard) {
  for (const char* brand :
       {"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs", "mif1", "msf1"}) {
    EXPECT_EQ(Sniff(Head("\x00\x00\x00\x18"s + "ftyp" + brand)), "0.heic") << brand;
  }
}

TEST(FileTypeSniffer, IconDirectoryMustFitIntoTheBytesLookedAt) {
  // 31 entries end at byte 502; 32 would end at 518.
  std::vector<std::pair<uint32_t, uint32_t>> fits;
  for (uint32_t i = 0; i < 31; ++i) {
    fits.push_back({100, 502 + 100 * i});
  }
  EXPECT_EQ(Sniff(Icon(fits)), "0.ico");
  std::string tooMany = Head("\x00\x00\x01\x00"s + Le16(32));
  EXPECT_EQ(Sniff(tooMany), "");
}

TEST(FileTypeSniffer, NamesByCounterAndCountsOnlyRecognisedFiles) {
  TempFolder temp;
  WriteFile(temp / "jpeg", Head("\xFF\xD8\xFF\xE0\x00\x10JFIF"s));
  WriteFile(temp / "text", Head("plain text"));
  int64_t counter = 7;
  std::string name;
  EXPECT_EQ(SniffFileType(temp / "jpeg", name, counter), 0);
  EXPECT_EQ(name, "7.jpg");
  EXPECT_EQ(counter, 8);
  EXPECT_EQ(SniffFileType(temp / "text", name, counter), 0);
  EXPECT_EQ(name, "");
  EXPECT_EQ(counter, 8);
}

TEST(FileTypeSniffer, NeedsFiveHundredTwelveReadableBytes) {
  TempFolder temp;
  const std::string jpeg = "\xFF\xD8\xFF\xE0\x00\x10JFIF"s;
  WriteFile(temp / "short", Head(jpeg, 511));
  WriteFile(temp / "exact", Head(jpeg, 512));
  WriteFile(temp / "empty", "");
  int64_t counter = 0;
  std::string name;
  EXPECT_EQ(SniffFileType(temp / "short", name, counter), kSniffReadFailed);
  EXPECT_EQ(name, "");
  EXPECT_EQ(SniffFileType(temp / "empty", name, counter), kSniffReadFailed);
  EXPECT_EQ(SniffFileType(temp / "exact", name, counter), 0);
  EXPECT_EQ(name, "0.jpg");
  EXPECT_EQ(SniffFileType(temp / "missing", name, counter), ENOENT);
  EXPECT_EQ(name, "");
  EXPECT_EQ(SniffFileType(temp.path(), name, counter), kSniffReadFailed);
  // A FIFO among the stored files must not hang the scan.
  ASSERT_EQ(mkfifo((temp / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(SniffFileType(temp / "fifo", name, counter), kSniffReadFailed);
}

TEST(FileTypeSniffer, TellsTheExtensionOfACode) {
  EXPECT_EQ(ExtensionOfTypeCode(15), "mpeg");
  EXPECT_EQ(ExtensionOfTypeCode(24), "wmv");
  EXPECT_EQ(ExtensionOfTypeCode(10), "jpg");
  EXPECT_EQ(ExtensionOfTypeCode(kNoFileType), "");
  EXPECT_EQ(ExtensionOfTypeCode(99), "");
}

}  // namespace
}  // namespace zbe
