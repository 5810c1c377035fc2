#include "bench/FloorQueries.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <initializer_list>
#include <memory>

#include "backup/ManifestDbReader.h"
#include "backup/MediaMarkers.h"
#include "backup/StoredFiles.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "records/AddressBookQuery.h"
#include "records/CallHistoryReader.h"
#include "records/MessagesReader.h"
#include "records/NoteStoreQuery.h"
#include "records/NotesReader.h"
#include "records/OwnChatThreads.h"
#include "records/SqliteDatabase.h"
#include "records/WhatsAppTables.h"

namespace zbe::bench {
namespace {

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using UniqueDatabase = std::unique_ptr<sqlite3, CloseDatabase>;

// Opens "path" the way SqliteDatabase does; null on failure, with the reason in "error".
UniqueDatabase OpenReadOnly(const std::string& path, std::string& error) {
  sqlite3* db = nullptr;
  int result = sqlite3_open_v2(SqliteReadOnlyUri(path).c_str(), &db,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  UniqueDatabase owned(db);
  if (result != SQLITE_OK) {
    error = path + ": " + sqlite3_errstr(result);
    return nullptr;
  }
  return owned;
}

// Adds the first of "candidates" that the database at "path" accepts. False when none is.
bool AddAccepted(const std::string& path, std::initializer_list<const char*> candidates,
                 std::vector<FloorQuery>& queries, std::string& error) {
  UniqueDatabase db = OpenReadOnly(path, error);
  if (db == nullptr) {
    return false;
  }
  for (const char* sql : candidates) {
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(db.get(), sql, -1, &statement, nullptr);
    sqlite3_finalize(statement);
    if (result == SQLITE_OK) {
      queries.push_back({path, sql});
      return true;
    }
  }
  error = path + ": refuses the reader's queries (" + sqlite3_errmsg(db.get()) + ")";
  return false;
}

bool AddAddressBook(const CBackupParser& parser, std::vector<FloorQuery>& queries,
                    std::string& error) {
  // Address books without the search table are read from their person tables, whose queries
  // the floor does not repeat: such a sample fails here rather than get a wrong floor.
  return AddAccepted(parser.StoredFilePath(kAddressBookHashedName),
                     {kAddressBookQueryFirstLayout, kAddressBookQuerySecondLayout}, queries, error);
}

bool AddNotes(const CBackupParser& parser, std::vector<FloorQuery>& queries, std::string& error) {
  // The older database is read first and, when it exists, gives the notes.
  std::string older = parser.StoredFilePath(kOldNotesHashedName);
  if (IsRegularFile(older)) {
    return AddAccepted(older, {kOldNotesQuery}, queries, error);
  }
  std::string newer = parser.StoredFilePath(kNotesHashedName);
  SqliteDatabase db;
  if (!db.Open(newer).ok()) {
    error = newer + ": cannot be opened";
    return false;
  }
  // The reader builds its query for the columns of this store; built once here, outside the
  // timing, which the floor leaves out.
  std::string sql = NoteStoreQuery(db);
  queries.push_back({newer, sql});
  return true;
}

}  // namespace

bool CategoryFloor(const CBackupParser& parser, RecordCategory category,
                   std::vector<FloorQuery>& queries, std::string& error) {
  switch (category) {
    case RecordCategory::kMessages: {
      // With attributedBody the reader also reads the conversations and their members.
      std::string messages = parser.StoredFilePath(kMessagesHashedName);
      if (!AddAccepted(messages, {kMessagesWithBodiesQuery, kMessagesQuery}, queries, error)) {
        return false;
      }
      if (queries.back().sql == kMessagesWithBodiesQuery &&
          (!AddAccepted(messages, {kChatsQuery}, queries, error) ||
           !AddAccepted(messages, {kChatMembersQuery}, queries, error))) {
        return false;
      }
      return AddAddressBook(parser, queries, error);
    }
    case RecordCategory::kContacts:
      return AddAddressBook(parser, queries, error);
    case RecordCategory::kCallHistory: {
      std::string newer = parser.StoredFilePath(kCallHistoryHashedName);
      std::string calls =
          IsRegularFile(newer) ? newer : parser.StoredFilePath(kOldCallHistoryHashedName);
      return AddAccepted(calls, {kCallHistoryQuery, kOldCallTableQuery}, queries, error) &&
             AddAddressBook(parser, queries, error);
    }
    case RecordCategory::kNotes:
      return AddNotes(parser, queries, error);
    case RecordCategory::kWhatsApp: {
      std::string chats = parser.FindWhatsAppDatabases().chatDatabase;
      if (chats.empty()) {
        error = "the backup has no WhatsApp chat database";
        return false;
      }
      return AddAccepted(chats, {kWhatsAppChatsQuery}, queries, error) &&
             AddAccepted(chats, {kWhatsAppMembersQuery}, queries, error) &&
             AddAccepted(chats, {kWhatsAppMessagesQuery}, queries, error) &&
             AddAccepted(chats, {kWhatsAppMediaQuery}, queries, error);
    }
    default:
      return true;
  }
}

std::vector<std::string> MediaFloorFiles(const CBackupParser& parser, RecordCategory category) {
  // The walks' own questions (backup/MediaMarkers.h).
  bool (*opened)(std::string_view) = nullptr;
  switch (category) {
    case RecordCategory::kCameraRoll:
    case RecordCategory::kPhotoStream:
      opened = [](std::string_view path) {
        return IsCameraRollPath(path) || IsPhotoStreamPath(path);
      };
      break;
    case RecordCategory::kMessageAttachments:
      opened = IsMessageAttachmentPath;
      break;
    case RecordCategory::kAppPhotos:
    case RecordCategory::kAppVideos:
      opened = IsAppFilePath;
      break;
    case RecordCategory::kWhatsAppAttachments:
      opened = IsWhatsAppFilePath;
      break;
    default:
      return {};
  }
  std::vector<std::string> files;
  for (const ManifestEntry& entry : parser.manifest()) {
    if (opened(entry.path)) {
      std::string stored = parser.StoredFilePath(entry.fileID);
      if (IsRegularFile(stored)) {
        files.push_back(std::move(stored));
      }
    }
  }
  return files;
}

long long ReadHeads(const std::vector<std::string>& files, std::string& error) {
  char head[512];
  for (const std::string& file : files) {
    UniqueFd fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid() || read(fd.get(), head, sizeof head) < 0) {
      error = file + ": cannot be read";
      return -1;
    }
  }
  return static_cast<long long>(files.size());
}

FloorQuery ManifestFloor(const std::string& backupFolder) {
  return {JoinPath(backupFolder, "Manifest.db"), kManifestFilesQuery};
}

long long RunFloor(const std::vector<FloorQuery>& queries, std::string& error) {
  long long rows = 0;
  auto onRow = [](void* count, int, char**, char**) -> int {
    ++*static_cast<long long*>(count);
    return 0;
  };
  for (const FloorQuery& query : queries) {
    UniqueDatabase db = OpenReadOnly(query.database, error);
    if (db == nullptr) {
      return -1;
    }
    char* message = nullptr;
    if (sqlite3_exec(db.get(), query.sql.c_str(), onRow, &rows, &message) != SQLITE_OK) {
      error = query.database + ": " + (message != nullptr ? message : "query failed");
      sqlite3_free(message);
      return -1;
    }
  }
  return rows;
}

}  // namespace zbe::bench
