#pragma once

#include <string>
#include <vector>

#include "backup/CBackupParser.h"
#include "records/RecordCategory.h"

namespace zbe::bench {

// One statement of a floor: the SQL a reader runs and the stored database it runs on.
struct FloorQuery {
  std::string database;
  std::string sql;
};

// The statements the scan runs for "category" over the backup that "parser" has opened, in the
// reader's order, each taken from the reader's own query text; where a reader falls back to a
// second query when the first is refused, the one this database accepts. The media categories
// read the manifest alone and get none. The manifest's own statement is ManifestFloor.
// Returns false (with the reason in "error") when a database the reader needs is missing or
// refuses every query the reader has for it.
bool CategoryFloor(const CBackupParser& parser, RecordCategory category,
                   std::vector<FloorQuery>& queries, std::string& error);

// The stored files whose first bytes the media walk of "category" reads to tell their type: those
// whose manifest path holds the walk's marker (the camera roll's walk also gathers the photo
// stream, the app media walk the WhatsApp attachments). Empty for the other categories.
std::vector<std::string> MediaFloorFiles(const CBackupParser& parser, RecordCategory category);

// Opens each of "files", reads its first 512 bytes and closes it: the least a walk that types
// files by their heads must do. Returns the files read, or -1 after putting the first that could
// not be read into "error".
long long ReadHeads(const std::vector<std::string>& files, std::string& error);

// The manifest query over the backup's "Manifest.db".
FloorQuery ManifestFloor(const std::string& backupFolder);

// Runs each statement with SQLite alone: the database opened as the program opens it (read-only
// and immutable), every row handed to a callback that does nothing. Returns the rows seen, or
// -1 after putting SQLite's error into "error".
long long RunFloor(const std::vector<FloorQuery>& queries, std::string& error);

}  // namespace zbe::bench
