// Damaged record databases. Each category database of a sample backup, and each real database
// put in its place, is damaged (bytes flipped, cut short, pages swapped, each table dropped) and
// the backup scanned: every category still gets a result (no crash, no hang, nothing thrown),
// the categories that do not read the damaged file come out as from the intact backup, and the
// backup folder is left exactly as it was.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "backup/CBackupParser.h"
#include "backup/ScanSession.h"
#include "records/ResultCodes.h"
#include "support/HostileFiles.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

using Rc = RecordCategory;

// One database of the sample and the categories whose reading depends on it.
struct Slot {
  const char* relativePath;  // in the sample's manifest
  std::set<Rc> readers;
  bool oldKinds;  // in the sample with the older call and notes databases
};

const std::vector<Slot>& Slots() {
  static const std::vector<Slot> slots = {
      {"Library/SMS/sms.db", {Rc::kMessages}, false},
      // Names of message and call partners come from the address book too.
      {"Library/AddressBook/AddressBook.sqlitedb",
       {Rc::kContacts, Rc::kMessages, Rc::kCallHistory},
       false},
      {"Library/CallHistoryDB/CallHistory.storedata", {Rc::kCallHistory}, false},
      {"NoteStore.sqlite", {Rc::kNotes}, false},
      // WhatsApp's Contacts.sqlite is located but not read.
      {"ChatStorage.sqlite", {Rc::kWhatsApp}, false},
      {"Library/CallHistory/call_history.db", {Rc::kCallHistory}, true},
      {"Library/Notes/notes.sqlite", {Rc::kNotes}, true},
  };
  return slots;
}

// The real databases and the slot each one stands in.
const std::vector<std::pair<const char*, const char*>>& RealDatabases() {
  static const std::vector<std::pair<const char*, const char*>> real = {
      {"AddressBook-ios15.sqlitedb", "Library/AddressBook/AddressBook.sqlitedb"},
      {"AddressBook-ctf.sqlitedb", "Library/AddressBook/AddressBook.sqlitedb"},
      {"AddressBook-legacy-layout-empty.sqlitedb", "Library/AddressBook/AddressBook.sqlitedb"},
      {"ChatStorage-ios15.sqlite", "ChatStorage.sqlite"},
      {"NoteStore-ios17.sqlite", "NoteStore.sqlite"},
      {"NoteStore-macos12.sqlite", "NoteStore.sqlite"},
      {"NoteStore-macos15.sqlite", "NoteStore.sqlite"},
      {"NoteStore-macos26.sqlite", "NoteStore.sqlite"},
      {"notes-legacy-empty.sqlite", "Library/Notes/notes.sqlite"},
      {"chat-macos-imessage-exporter-test.db", "Library/SMS/sms.db"},
  };
  return real;
}

// Damages of the bytes of a database file, each deterministic.
struct Damage {
  const char* name;
  std::function<std::string(std::string)> apply;
};

size_t PageSize(const std::string& db) {
  if (db.size() < 100) {
    return 4096;
  }
  size_t size = (static_cast<uint8_t>(db[16]) << 8) | static_cast<uint8_t>(db[17]);
  return size == 1 ? 65536 : size < 512 ? 4096 : size;
}

const std::vector<Damage>& ByteDamages() {
  static const std::vector<Damage> damages = {
      {"bytes flipped",
       [](std::string db) {
         for (size_t at = 100; at < db.size(); at += 1 + db.size() / 97) {
           db[at] = static_cast<char>(db[at] ^ 0xA5);
         }
         return db;
       }},
      {"cut in half", [](std::string db) { return db.substr(0, db.size() / 2); }},
      {"cut inside the first page", [](std::string db) { return db.substr(0, 150); }},
      {"first and last pages swapped",
       [](std::string db) {
         size_t page = PageSize(db);
         if (db.size() >= 2 * page) {
           std::string first = db.substr(0, page);
           size_t last = (db.size() / page - 1) * page;
           db.replace(0, page, db, last, page);
           db.replace(last, page, first);
         }
         return db;
       }},
      {"second and third pages swapped",
       [](std::string db) {
         size_t page = PageSize(db);
         if (db.size() >= 3 * page) {
           std::string second = db.substr(page, page);
           db.replace(page, page, db, 2 * page, page);
           db.replace(2 * page, page, second);
         }
         return db;
       }},
  };
  return damages;
}

// The texts of the records of "category" that damage could change (names, titles, texts), in
// their order, as one text; empty for the file categories.
std::string Fingerprint(const ScanResults& results, Rc category) {
  std::string texts;
  auto add = [&texts](const std::string& text) { texts.append(text).push_back('\n'); };
  switch (category) {
    case Rc::kMessages:
      for (const auto& [handle, thread] : results.messages) {
        for (const MessageRecord& message : thread) {
          add(message.contactName + "|" + message.text);
        }
      }
      break;
    case Rc::kContacts:
      for (const ContactRecord& contact : results.contacts) {
        add(contact.name + "|" + contact.phone);
      }
      break;
    case Rc::kCallHistory:
      for (const CallRecord& call : results.calls) {
        add(call.contactName + "|" + call.address);
      }
      break;
    case Rc::kNotes:
      for (const NoteRecord& note : results.notes) {
        add(note.title + "|" + note.body);
      }
      break;
    case Rc::kWhatsApp:
      for (const auto& [chat, messages] : results.whatsApp) {
        for (const WhatsAppMessage& message : messages) {
          add(message.senderName + "|" + message.memberNames + "|" + message.text);
        }
      }
      break;
    default:
      break;
  }
  return texts;
}

// The tables of the database "bytes" (written to "scratch" to be read).
std::vector<std::string> TableNames(const std::string& bytes, const std::string& scratch) {
  WriteFile(scratch, bytes);
  std::vector<std::string> tables;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(scratch.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%';",
        [](void* out, int, char** values, char**) {
          static_cast<std::vector<std::string>*>(out)->push_back(values[0]);
          return 0;
        },
        &tables, nullptr);
  }
  sqlite3_close(db);
  return tables;
}

// "bytes" without the table "table", as a file that SQLite itself wrote.
std::string WithoutTable(const std::string& bytes, const std::string& table,
                         const std::string& scratch) {
  WriteFile(scratch, bytes);
  sqlite3* db = nullptr;
  sqlite3_open(scratch.c_str(), &db);
  sqlite3_exec(db, "PRAGMA journal_mode = DELETE;", nullptr, nullptr, nullptr);
  if (sqlite3_exec(db, ("DROP TABLE \"" + table + "\";").c_str(), nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    // A virtual table whose module this SQLite lacks: its schema row goes, which damages the
    // file just as well.
    std::string sql =
        "PRAGMA writable_schema = ON; DELETE FROM sqlite_master WHERE name = '" + table + "';";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
  std::error_code ignored;
  std::filesystem::remove(scratch + "-wal", ignored);
  std::filesystem::remove(scratch + "-shm", ignored);
  return ReadFile(scratch);
}

class CorruptDatabasesTest : public ::testing::Test {
 protected:
  // Writes the sample of "oldKinds" once and returns its folder.
  const std::string& Backup(bool oldKinds) {
    std::string& folder = oldKinds ? oldFolder_ : newFolder_;
    if (folder.empty()) {
      mkbackup::SampleOptions options;
      options.oldCalls = oldKinds;
      options.oldNotes = oldKinds;
      mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup(options);
      folder = backups_ / (oldKinds ? "old" : "new");
      test::WriteSample(sample, folder);
      for (const mkbackup::StoredFile& file : sample.files()) {
        storedPaths_[oldKinds][file.relativePath] =
            folder + "/" + file.fileID().substr(0, 2) + "/" + file.fileID();
      }
      Scan(folder, intact_[oldKinds]);
    }
    return folder;
  }

  // Scans every category of "folder" into "results"; fails the test on a hang or a throw.
  void Scan(const std::string& folder, ScanResults& results) {
    bool threw = false;
    EXPECT_TRUE(test::EndsWithin(std::chrono::seconds(60), [&] {
      try {
        BackupSummary summary;
        parser_.ReadBackupSummary(folder, summary);
        // An address book damaged at its start makes the backup look encrypted; the scan here
        // is of the plain backup it is.
        summary.encrypted = false;
        ScanSession session(parser_);
        session.Run(summary, "", CategorySet::All());
        results = session.results();
      } catch (...) {
        threw = true;
      }
    }));
    EXPECT_FALSE(threw);
  }

  // Puts "bytes" in place of the slot's database, scans, and checks the promises. Returns
  // whether the damage showed: a category that reads the slot failed or found another count.
  bool ScanDamaged(const Slot& slot, const std::string& bytes, const std::string& what) {
    SCOPED_TRACE(std::string(slot.relativePath) + ", " + what);
    const std::string& folder = Backup(slot.oldKinds);
    const std::string& stored = storedPaths_[slot.oldKinds].at(slot.relativePath);
    std::string original = ReadFile(stored);
    WriteFile(stored, bytes);
    test::FolderSnapshot before = test::SnapshotFolder(folder);
    ScanResults results;
    Scan(folder, results);
    EXPECT_EQ(test::SnapshotFolder(folder), before);
    EXPECT_EQ(ReadFile(stored), bytes);
    const ScanResults& intact = intact_[slot.oldKinds];
    bool showed = false;
    for (const RecordCategoryInfo& info : RecordCategories()) {
      size_t index = static_cast<size_t>(info.category);
      EXPECT_EQ(results.categoryResults[index].has_value(),
                intact.categoryResults[index].has_value())
          << info.name;
      if (slot.readers.count(info.category) == 0) {
        EXPECT_EQ(results.categoryResults[index], intact.categoryResults[index]) << info.name;
        EXPECT_EQ(CategoryCount(results, info.category), CategoryCount(intact, info.category))
            << info.name;
        EXPECT_EQ(Fingerprint(results, info.category), Fingerprint(intact, info.category))
            << info.name;
      } else {
        showed = showed || results.categoryResults[index] != intact.categoryResults[index] ||
                 Fingerprint(results, info.category) != Fingerprint(intact, info.category);
      }
    }
    WriteFile(stored, original);
    return showed;
  }

  // Returns how many of the damages showed in the scan.
  int DamageEveryWay(const Slot& slot, const std::string& bytes, const std::string& what) {
    int showed = 0;
    for (const Damage& damage : ByteDamages()) {
      showed += ScanDamaged(slot, damage.apply(bytes), what + ", " + damage.name);
    }
    std::string scratch = scratch_ / "db";
    for (const std::string& table : TableNames(bytes, scratch)) {
      showed += ScanDamaged(slot, WithoutTable(bytes, table, scratch), what + ", without " + table);
    }
    return showed;
  }

  TempFolder home_;
  TempFolder backups_;
  TempFolder scratch_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
  CBackupParser parser_;
  std::string newFolder_;
  std::string oldFolder_;
  // Per sample, the relative path of each file in the manifest to its stored file.
  std::map<std::string, std::string> storedPaths_[2];
  ScanResults intact_[2];
};

TEST_F(CorruptDatabasesTest, DamagedSampleDatabasesFailAloneAndChangeNothing) {
  for (const Slot& slot : Slots()) {
    Backup(slot.oldKinds);
    // The damages must reach the reader; a test whose damage went unnoticed proves nothing.
    EXPECT_GT(
        DamageEveryWay(slot, ReadFile(storedPaths_[slot.oldKinds].at(slot.relativePath)), "sample"),
        0)
        << slot.relativePath;
  }
}

TEST_F(CorruptDatabasesTest, DamagedRealDatabasesFailAloneAndChangeNothing) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/databases";
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  for (const auto& [file, slotPath] : RealDatabases()) {
    const std::string wanted = slotPath;
    const Slot& slot = *std::find_if(Slots().begin(), Slots().end(),
                                     [&wanted](const Slot& s) { return s.relativePath == wanted; });
    std::string bytes = ReadFile(folder + "/" + file);
    ASSERT_FALSE(bytes.empty()) << file;
    Backup(slot.oldKinds);
    // Intact, it must not disturb the other categories either.
    ScanDamaged(slot, bytes, std::string(file) + ", intact");
    DamageEveryWay(slot, bytes, file);
  }
}

}  // namespace
}  // namespace zbe
