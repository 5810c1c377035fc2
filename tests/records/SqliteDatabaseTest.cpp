#include "records/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <vector>

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::SnapshotFolder;
using test::TempFolder;

// Writes a small database with the system's own (writing) SQLite interface.
void MakeDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE t (a INTEGER, b TEXT);"
                         "INSERT INTO t VALUES (1, 'one'), (2, NULL), (3, 'three');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
}

std::vector<std::string> ReadColumnB(SqliteDatabase& db) {
  std::vector<std::string> values;
  db.Exec("SELECT b FROM t ORDER BY a;", [&](int, char** columns, char**) {
    values.push_back(columns[0] != nullptr ? columns[0] : "<null>");
    return 0;
  });
  return values;
}

TEST(SqliteReadOnlyUri, EscapesWhatTheUriFormWouldMisread) {
  EXPECT_EQ(SqliteReadOnlyUri("/a b/c#d?e%f.db"), "file:///a b/c%23d%3Fe%25f.db?immutable=1");
  EXPECT_EQ(SqliteReadOnlyUri("rel/x.db"), "file:rel/x.db?immutable=1");
  EXPECT_EQ(SqliteReadOnlyUri("//server/x.db"), "file:////server/x.db?immutable=1");
}

TEST(SqliteDatabase, OpensPathsWithUriSpecialCharacters) {
  TempFolder temp;
  for (const char* name : {"with space.db", "hash#sign.db", "question?mark.db", "percent%20name.db",
                           "all # ? % of them.db"}) {
    std::string path = temp / name;
    MakeDatabase(path);
    SqliteDatabase db;
    ASSERT_EQ(db.Open(path), Result::Ok()) << name;
    EXPECT_EQ(ReadColumnB(db), (std::vector<std::string>{"one", "<null>", "three"})) << name;
  }
}

TEST(SqliteDatabase, NeverCreatesAMissingFile) {
  TempFolder temp;
  SqliteDatabase db;
  EXPECT_EQ(db.Open(temp / "missing.db"), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_FALSE(db.isOpen());
  EXPECT_TRUE(SnapshotFolder(temp.path()).empty());
  std::string message;
  EXPECT_EQ(db.Exec("SELECT 1;", nullptr, &message), Result::Sqlite(SQLITE_MISUSE));
  EXPECT_FALSE(message.empty());
}

// SQLite opens whatever stands at the path; on a FIFO its first read would wait for ever.
TEST(SqliteDatabase, RefusesWhatIsNoRegularFileWithoutWaiting) {
  TempFolder temp;
  for (test::Hostile kind : test::AllHostileKinds()) {
    std::string path = temp / "sms.db";
    ASSERT_TRUE(test::PlaceHostile(kind, path));
    Result opened;
    Result queried;
    SqliteDatabase db;
    EXPECT_TRUE(test::EndsWithin(std::chrono::seconds(2),
                                 [&] {
                                   opened = db.Open(path);
                                   queried = db.Exec("SELECT 1 FROM sqlite_master;", nullptr);
                                 },
                                 {path}))
        << test::HostileName(kind);
    EXPECT_EQ(opened, Result::Sqlite(SQLITE_CANTOPEN)) << test::HostileName(kind);
    EXPECT_FALSE(db.isOpen()) << test::HostileName(kind);
    EXPECT_EQ(queried, Result::Sqlite(SQLITE_MISUSE)) << test::HostileName(kind);
  }
}

TEST(SqliteDatabase, ReadsWithoutWritingAnythingBesideTheFile) {
  TempFolder temp;
  MakeDatabase(temp / "data.db");
  auto before = SnapshotFolder(temp.path());
  {
    SqliteDatabase db;
    ASSERT_EQ(db.Open(temp / "data.db"), Result::Ok());
    EXPECT_EQ(ReadColumnB(db).size(), 3u);
    std::string message;
    EXPECT_NE(db.Exec("INSERT INTO t VALUES (4, 'four');", nullptr, &message), Result::Ok());
    EXPECT_FALSE(message.empty());
  }
  EXPECT_EQ(SnapshotFolder(temp.path()), before);
}

TEST(SqliteDatabase, StopsWhenTheCallbackAsks) {
  TempFolder temp;
  MakeDatabase(temp / "data.db");
  SqliteDatabase db;
  ASSERT_EQ(db.Open(temp / "data.db"), Result::Ok());
  int rows = 0;
  EXPECT_EQ(db.Exec("SELECT a FROM t;", [&](int, char**, char**) { return ++rows == 2; }),
            Result::Sqlite(SQLITE_ABORT));
  EXPECT_EQ(rows, 2);
}

TEST(SqliteDatabase, ReportsQueryErrorsWithTheirText) {
  TempFolder temp;
  MakeDatabase(temp / "data.db");
  test::WriteFile(temp / "not-a-db", std::string(4096, 'x'));
  SqliteDatabase db;
  ASSERT_EQ(db.Open(temp / "data.db"), Result::Ok());
  std::string message;
  EXPECT_EQ(db.Exec("SELECT * FROM nothing;", nullptr, &message), Result::Sqlite(SQLITE_ERROR));
  EXPECT_NE(message.find("nothing"), std::string::npos);
  // Any file opens; its first query tells that it is no database.
  ASSERT_EQ(db.Open(temp / "not-a-db"), Result::Ok());
  EXPECT_EQ(db.Exec("SELECT * FROM t;", nullptr), Result::Sqlite(SQLITE_NOTADB));
}

}  // namespace
}  // namespace zbe
