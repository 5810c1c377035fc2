#pragma once

#include <string_view>

#include "backup/BackupSummary.h"

namespace zbe {

// True when "bytes" begin like a binary property list ("bplist00").
bool IsBinaryPlist(std::string_view bytes);

// Reads the summary fields from an "Info.plist" in binary property-list form: the strings
// "Display Name", "Phone Number", "Product Version" and "Serial Number" and the date "Last Backup
// Date" (a string date is read as the text form's value). The values go through the same
// conversions as those of the text form. A file that cannot be parsed, and keys that are missing
// or of another type, leave the fields empty. Only the five fields are touched.
void ReadInfoPlistBinary(std::string_view bytes, BackupSummary& summary);

}  // namespace zbe
