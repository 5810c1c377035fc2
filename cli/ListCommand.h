#pragma once

#include <string>
#include <vector>

namespace zbe::cli {

// "zbe list [--root DIR] [--json]": the backups of the MobileSync root (or of DIR), newest
// first; one tab-separated line each (lastBackupDate, displayName, serialNumber,
// "encrypted"/"plain", folderPath), or a JSON array of summaries. Entries without a readable
// "Info.plist" are left out. Returns the exit status: 0 (also when there is no backup), 1 for a
// usage error, 3 when DIR (or the default root's application-data folder) cannot be read.
int RunList(const std::vector<std::string>& arguments);

}  // namespace zbe::cli
