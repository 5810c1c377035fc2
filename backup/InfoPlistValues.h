#pragma once

#include <string>
#include <string_view>

#include "backup/BackupSummary.h"

namespace zbe {

// The conversions from "Info.plist" values to summary fields, shared by the text and the binary
// reader so that both forms of the file give the same summary.

// Sets lastBackupDate from a date text: when it holds a "T", the first "T" becomes a blank and
// the text is cut at its first "Z"; then it is converted with the zone's base bias
// (ConvertBackupDate), or kept as it stands when it cannot be converted.
void ApplyBackupDate(std::string text, BackupSummary& summary);

// Sets modernVersion from a product version text: its leading integer is greater than 11.
void ApplyProductVersion(std::string_view text, BackupSummary& summary);

// Replaces the XML character references in "text" (&amp; &lt; &gt; &quot; &apos; and numeric
// ones) by the characters they stand for; anything else is kept as written.
std::string DecodeXmlEntities(std::string_view text);

}  // namespace zbe
