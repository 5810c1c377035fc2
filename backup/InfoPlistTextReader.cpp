#include "backup/InfoPlistTextReader.h"

#include <string>
#include <string_view>

#include "backup/InfoPlistValues.h"
#include "platform/Utf8.h"

namespace zbe {
namespace {

constexpr size_t kMaxLineBytes = 2047;

// Reads the next line (through its "\n", or at most kMaxLineBytes bytes) into "line" without
// the line end. Returns false at the end of the file.
bool ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  bool any = false;
  for (size_t count = 0; count < kMaxLineBytes; ++count) {
    int c = std::getc(file);
    if (c == EOF) {
      break;
    }
    any = true;
    if (c == '\n') {
      break;
    }
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return any;
}

// The text between the first "<open>" and the first "</close>" of "line" (to the line's end
// when there is no closing tag); "" when the opening tag is missing.
std::string TagValue(std::string_view line, std::string_view tag) {
  std::string closing = "</" + std::string(tag) + ">";
  size_t end = line.find(closing);
  std::string_view cut = line.substr(0, end);
  std::string opening = "<" + std::string(tag) + ">";
  size_t start = cut.find(opening);
  if (start == std::string_view::npos) {
    return {};
  }
  return DecodeXmlEntities(cut.substr(start + opening.size()));
}

enum class Key { kNone, kDisplayName, kLastBackupDate, kPhoneNumber, kProductVersion, kSerial };

Key KeyIn(std::string_view line) {
  if (line.find("<key>Display Name</key>") != std::string_view::npos)
    return Key::kDisplayName;
  if (line.find("<key>Last Backup Date</key>") != std::string_view::npos) {
    return Key::kLastBackupDate;
  }
  if (line.find("<key>Phone Number</key>") != std::string_view::npos)
    return Key::kPhoneNumber;
  if (line.find("<key>Product Version</key>") != std::string_view::npos) {
    return Key::kProductVersion;
  }
  if (line.find("<key>Serial Number</key>") != std::string_view::npos)
    return Key::kSerial;
  return Key::kNone;
}

}  // namespace

void ReadInfoPlistText(std::FILE* file, BackupSummary& summary) {
  std::string line;
  std::string value;
  while (ReadLine(file, line)) {
    Key key = KeyIn(line);
    if (key == Key::kNone) {
      continue;
    }
    if (!ReadLine(file, value)) {
      return;
    }
    switch (key) {
      case Key::kDisplayName:
        summary.displayName = RepairUtf8(TagValue(value, "string"));
        break;
      case Key::kLastBackupDate:
        ApplyBackupDate(TagValue(value, "date"), summary);
        break;
      case Key::kPhoneNumber:
        summary.phoneNumber = TagValue(value, "string");
        break;
      case Key::kProductVersion:
        ApplyProductVersion(TagValue(value, "string"), summary);
        break;
      case Key::kSerial:
        summary.serialNumber = TagValue(value, "string");
        return;
      case Key::kNone:
        break;
    }
  }
}

}  // namespace zbe
