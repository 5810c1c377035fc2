#pragma once

#include <cstdio>

#include "backup/BackupSummary.h"

namespace zbe {

// Reads the summary fields from an "Info.plist" in XML form, line by line from the current
// position of "file" (which the caller owns and closes). A line is at most 2047 bytes; longer
// lines are taken in pieces of that size. Each line is tested for the keys "Display Name",
// "Last Backup Date", "Phone Number", "Product Version" and "Serial Number" (as "<key>...</key>"),
// in that order, and the first one found takes its value from the next line, which is not tested
// for keys. Reading stops after the serial number's value. A value line without its opening tag
// ("<string>" or "<date>") leaves the field empty; a key on the last line sets nothing. XML
// character references in values are decoded. Only the five fields are touched.
void ReadInfoPlistText(std::FILE* file, BackupSummary& summary);

}  // namespace zbe
