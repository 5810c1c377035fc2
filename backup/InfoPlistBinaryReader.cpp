#include "backup/InfoPlistBinaryReader.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "backup/InfoPlistValues.h"
#include "platform/Utf8.h"
#include "records/Conversions.h"

namespace zbe {
namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr int64_t kPlistEpochOffset = 978307200;

struct PlistDeleter {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

bool StringValue(plist_t dict, const char* key, std::string& value) {
  plist_t node = plist_dict_get_item(dict, key);
  if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) {
    return false;
  }
  // Not plist_get_string_val: the library asserts, ending the program, when a string holds
  // the character U+0000. The value ends there, as a C string would.
  uint64_t length = 0;
  const char* text = plist_get_string_ptr(node, &length);
  if (text == nullptr) {
    return false;
  }
  value.assign(text, static_cast<size_t>(length));
  value.resize(std::min(value.size(), value.find('\0')));
  return true;
}

}  // namespace

bool IsBinaryPlist(std::string_view bytes) {
  return bytes.substr(0, 8) == "bplist00";
}

void ReadInfoPlistBinary(std::string_view bytes, BackupSummary& summary) {
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) {
    return;
  }
  plist_t root = nullptr;
  plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
  PlistPtr owner(root);
  if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) {
    return;
  }
  std::string value;
  if (StringValue(root, "Display Name", value)) {
    summary.displayName = RepairUtf8(value);
  }
  plist_t date = plist_dict_get_item(root, "Last Backup Date");
  if (date != nullptr && plist_get_node_type(date) == PLIST_DATE) {
    int32_t seconds = 0;
    int32_t microseconds = 0;
    plist_get_date_val(date, &seconds, &microseconds);
    // The same text the XML form would hold, so that it takes the same conversion.
    std::string text = UtcDateText(kPlistEpochOffset + seconds);
    if (!text.empty()) {
      ApplyBackupDate(text, summary);
    }
  } else if (StringValue(root, "Last Backup Date", value)) {
    ApplyBackupDate(value, summary);
  }
  if (StringValue(root, "Phone Number", value)) {
    summary.phoneNumber = value;
  }
  if (StringValue(root, "Product Version", value)) {
    ApplyProductVersion(value, summary);
  }
  if (StringValue(root, "Serial Number", value)) {
    summary.serialNumber = value;
  }
}

}  // namespace zbe
