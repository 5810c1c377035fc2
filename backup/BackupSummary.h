#pragma once

#include <string>

namespace zbe {

// The summary of one backup, read from its "Info.plist". A copyable value; missing keys leave
// their fields empty (flags false).
struct BackupSummary {
  bool encrypted = false;      // the address book does not begin with "SQLite" (ProbeEncrypted)
  bool modernVersion = false;  // the integer part of the product version is greater than 11
  std::string lastBackupDate;  // "%Y-%m-%d %H:%M:%S" shifted by the zone's base bias, or the
                               // file's text where it cannot be converted
  std::string phoneNumber;     // as written in the file
  std::string serialNumber;    // as written in the file
  std::string folderPath;      // the backup's folder
  std::string displayName;     // the device's display name (valid UTF-8)
};

}  // namespace zbe
