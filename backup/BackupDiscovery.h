#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/BackupSummary.h"
#include "records/Result.h"

namespace zbe {

// Lists "folder" one level deep and appends to "entries" the path of every entry (files and
// folders alike) whose name does not begin with "." : the folder, a "/" unless it ends in one,
// and the name. Entries come in name order (ASCII case ignored). Returns false when the folder
// cannot be listed ("entries" unchanged).
bool ListFolder(const std::string& folder, std::vector<std::string>& entries);

// Reads the summary of the backup in "folder" from its "Info.plist" (the XML text form line by
// line, or the binary property-list form) and probes it for encryption. "summary" is replaced:
// folderPath is "folder", the other fields are read (missing keys leave them empty; so does an
// "Info.plist" too large to be a real one: 64 MiB binary, 256 MiB text). Returns success, or 87
// when "Info.plist" cannot be opened as a regular file (a FIFO, socket or folder in its place is
// never read; "summary" then holds only folderPath). Only reads.
Result ReadSummaryOfFolder(const std::string& folder, BackupSummary& summary);

// Appends to "summaries" the summary of every folder of "folders" that has a readable
// "Info.plist" (others are skipped), then sorts all of "summaries" newest first
// (SortSummariesNewestFirst).
void ReadSummariesOf(const std::vector<std::string>& folders,
                     std::vector<BackupSummary>& summaries);

// Stable sort by lastBackupDate, newest first, comparing the texts byte by byte with ASCII case
// ignored; equal dates keep their order.
void SortSummariesNewestFirst(std::vector<BackupSummary>& summaries);

}  // namespace zbe
