#include "backup/FileTypeSniffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

namespace zbe {
namespace {

bool BytesAt(const uint8_t* head, size_t offset, std::string_view bytes) {
  return std::memcmp(head + offset, bytes.data(), bytes.size()) == 0;
}

uint32_t Little16(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

uint32_t Little32(const uint8_t* p) {
  return Little16(p) | Little16(p + 2) << 16;
}

// "bytes" begins at an offset from 0 to 28.
bool OccursNearStart(const uint8_t* head, std::string_view bytes) {
  for (size_t offset = 0; offset <= 28; ++offset) {
    if (BytesAt(head, offset, bytes)) {
      return true;
    }
  }
  return false;
}

// A program stream (pack header, then a system header) or an elementary video stream (sequence
// header, then a group of pictures).
int32_t TestMpeg(const uint8_t* head) {
  using namespace std::string_view_literals;
  if (BytesAt(head, 0, "\x00\x00\x01\xBA"sv) && OccursNearStart(head, "\x00\x00\x01\xBB"sv)) {
    return 15;
  }
  if (BytesAt(head, 0, "\x00\x00\x01\xB3"sv) && OccursNearStart(head, "\x00\x00\x01\xB8"sv)) {
    return 15;
  }
  return kNoFileType;
}

int32_t TestMp4(const uint8_t* head) {
  bool ftyp = BytesAt(head, 4, "ftyp");
  return ftyp && (BytesAt(head, 8, "iso") || BytesAt(head, 8, "mp42")) ? 18 : kNoFileType;
}

int32_t TestRealMedia(const uint8_t* head) {
  return BytesAt(head, 0, ".RMF") ? 23 : kNoFileType;
}

// The header object identifier of the Advanced Systems Format.
int32_t TestAsf(const uint8_t* head) {
  static constexpr uint8_t kAsfHeader[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                             0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
  return std::memcmp(head, kAsfHeader, sizeof kAsfHeader) == 0 ? 24 : kNoFileType;
}

int32_t TestAvi(const uint8_t* head) {
  return BytesAt(head, 0, "RIFF") && BytesAt(head, 8, "AVI ") && BytesAt(head, 12, "LIST")
             ? 22
             : kNoFileType;
}

int32_t Test3gp(const uint8_t* head) {
  return BytesAt(head, 4, "ftyp") && BytesAt(head, 8, "3gp") ? 16 : kNoFileType;
}

// An ID3v2 tag: version bytes that are not FF, no undefined flags, a synchsafe size.
int32_t TestMp3(const uint8_t* head) {
  if (!BytesAt(head, 0, "ID3") || head[3] == 0xFF || head[4] == 0xFF || (head[5] & 0x1F) != 0) {
    return kNoFileType;
  }
  for (size_t i = 6; i <= 9; ++i) {
    if (head[i] >= 0x80) {
      return kNoFileType;
    }
  }
  return 12;
}

int32_t TestMidi(const uint8_t* head) {
  using namespace std::string_view_literals;
  return BytesAt(head, 0, "MThd") && BytesAt(head, 4, "\x00\x00\x00\x06"sv) &&
                 BytesAt(head, 14, "MTrk")
             ? 13
             : kNoFileType;
}

int32_t TestWave(const uint8_t* head) {
  return BytesAt(head, 0, "RIFF") && BytesAt(head, 8, "WAVE") && BytesAt(head, 12, "fmt ")
             ? 21
             : kNoFileType;
}

int32_t TestQuickTime(const uint8_t* head) {
  if (BytesAt(head, 0, "moov") || (BytesAt(head, 4, "ftyp") && BytesAt(head, 8, "qt  "))) {
    return 17;
  }
  return kNoFileType;
}

int32_t TestGif(const uint8_t* head) {
  auto digit = [](uint8_t c) { return c >= '0' && c <= '9'; };
  return BytesAt(head, 0, "GIF") && digit(head[3]) && digit(head[4]) && head[5] >= 'a' &&
                 head[5] <= 'z'
             ? 31
             : kNoFileType;
}

// A bitmap file header (reserved words 0) followed by the 40-byte info header.
int32_t TestBmp(const uint8_t* head) {
  bool magic = BytesAt(head, 0, "BM") || BytesAt(head, 0, "BA");
  return magic && Little16(head + 6) == 0 && Little16(head + 8) == 0 && Little32(head + 14) == 40
             ? 29
             : kNoFileType;
}

// JFIF or Exif JPEG, or one that goes straight from its start marker to its quantisation
// tables (as many cameras and editors write them). A JPEG starting with any other segment is
// not recognised.
int32_t TestJpeg(const uint8_t* head) {
  using namespace std::string_view_literals;
  if (BytesAt(head, 0, "\xFF\xD8\xFF\xDB"sv)) {
    return 10;
  }
  if (BytesAt(head, 0, "\xFF\xD8\xFF\xE0"sv) && BytesAt(head, 6, "JFIF")) {
    return 10;
  }
  if (BytesAt(head, 0, "\xFF\xD8\xFF\xE1"sv) && BytesAt(head, 6, "Exif")) {
    return 10;
  }
  return kNoFileType;
}

int32_t TestPng(const uint8_t* head) {
  using namespace std::string_view_literals;
  return BytesAt(head, 0, "\x89PNG\r\n\x1A\n"sv) ? 30 : kNoFileType;
}

// An icon directory whose entries must all lie within the bytes looked at and whose images
// follow each other without gaps, right after the directory.
int32_t TestIco(const uint8_t* head) {
  using namespace std::string_view_literals;
  if (!BytesAt(head, 0, "\x00\x00\x01\x00"sv)) {
    return kNoFileType;
  }
  uint32_t count = Little16(head + 4);
  if (count == 0 || count * 16 + 6 > kSniffBytes) {
    return kNoFileType;
  }
  uint64_t expectedOffset = count * 16 + 6;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = head + 6 + 16 * i;
    if (entry[3] != 0 || Little32(entry + 12) != expectedOffset) {
      return kNoFileType;
    }
    expectedOffset += Little32(entry + 8);
  }
  return 46;
}

// A HEIF image or image sequence: a file type box whose major brand is one that the HEIF
// standard defines for its structure (mif1, msf1) or for HEVC coded images and sequences (the
// camera of an iPhone writes "heic"). Other brands of the same box (MPEG-4, QuickTime, AVIF,
// camera raw formats) are not pictures this test speaks for.
int32_t TestHeif(const uint8_t* head) {
  static constexpr std::string_view kBrands[] = {"heic", "heix", "heim", "heis", "hevc",
                                                 "hevx", "hevm", "hevs", "mif1", "msf1"};
  if (!BytesAt(head, 4, "ftyp")) {
    return kNoFileType;
  }
  for (std::string_view brand : kBrands) {
    if (BytesAt(head, 8, brand)) {
      return kHeifTypeCode;
    }
  }
  return kNoFileType;
}

}  // namespace

const std::array<FileTypeSnifferRow, 21>& FileTypeSniffer() {
  static constexpr std::array<FileTypeSnifferRow, 21> kTable = {{
      {"mpeg", 15, TestMpeg},     {"mpg", 15, TestMpeg},       {"vob", 15, TestMpeg},
      {"mp4", 18, TestMp4},       {"rmvb", 23, TestRealMedia}, {"wmv", 24, TestAsf},
      {"wma", 24, TestAsf},       {"avi", 22, TestAvi},        {"3gp", 16, Test3gp},
      {"mp3", 12, TestMp3},       {"mid", 13, TestMidi},       {"wav", 21, TestWave},
      {"mov", 17, TestQuickTime}, {"gif", 31, TestGif},        {"bmp", 29, TestBmp},
      {"jpg", 10, TestJpeg},      {"jpeg", 10, TestJpeg},      {"jpe", 10, TestJpeg},
      {"png", 30, TestPng},       {"ico", 46, TestIco},        {"heic", kHeifTypeCode, TestHeif},
  }};
  return kTable;
}

int32_t SniffTypeCode(const uint8_t* head) {
  for (const FileTypeSnifferRow& row : FileTypeSniffer()) {
    int32_t code = row.test(head);
    if (code != kNoFileType) {
      return code;
    }
  }
  return kNoFileType;
}

std::string_view ExtensionOfTypeCode(int32_t code) {
  for (const FileTypeSnifferRow& row : FileTypeSniffer()) {
    if (row.code == code) {
      return row.extension;
    }
  }
  return {};
}

int32_t SniffFileType(const std::string& path, std::string& name, int64_t& counter) {
  return SniffStoredFile(path, counter, name).result;
}

SniffedFile SniffStoredFile(const std::string& path, int64_t& counter, std::string& name) {
  name.clear();
  SniffedFile sniffed;
  // Non-blocking, so that a FIFO planted among the stored files cannot hang the scan.
  UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.valid()) {
    sniffed.result = errno;
    // Only a denied read leaves it open whether a look-up by path would find the file.
    sniffed.present = errno == EACCES && PathExists(path);
    return sniffed;
  }
  sniffed.present = true;
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    sniffed.result = kSniffReadFailed;
    return sniffed;
  }
  sniffed.size = static_cast<uint64_t>(info.st_size);
  uint8_t head[kSniffBytes];
  size_t got = 0;
  while (got < kSniffBytes) {
    ssize_t part = read(file.get(), head + got, kSniffBytes - got);
    if (part < 0 && errno == EINTR) {
      continue;
    }
    if (part <= 0) {
      sniffed.result = kSniffReadFailed;
      return sniffed;
    }
    got += static_cast<size_t>(part);
  }
  std::string_view extension = ExtensionOfTypeCode(SniffTypeCode(head));
  if (!extension.empty()) {
    name = std::to_string(counter) + "." + std::string(extension);
    ++counter;
  }
  return sniffed;
}

}  // namespace zbe
