#include "CryptoTestSupport.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "records/SqliteDatabase.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/ManifestMbdb.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto::testing {

namespace fs = std::filesystem;

Bytes Hex(const std::string& hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

std::string ToHex(ByteView bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0xF]);
  }
  return out;
}

Bytes Range(uint8_t first, size_t count) {
  Bytes out(count);
  for (size_t i = 0; i < count; ++i) {
    out[i] = static_cast<uint8_t>(first + i);
  }
  return out;
}

Bytes RandomishBytes(size_t count, uint32_t seed) {
  Bytes out(count);
  uint32_t x = seed * 2654435761u + 1;
  for (uint8_t& b : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<uint8_t>(x);
  }
  return out;
}

FolderSnapshot Snapshot(const std::string& folder) {
  FolderSnapshot snap;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string rel = fs::relative(entry.path(), folder).string();
    snap.modes[rel] = ModeOf(entry.path().string());
    if (entry.is_regular_file()) {
      snap.files[rel] = ReadAll(entry.path().string());
    }
  }
  return snap;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, ByteView data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::string ReadText(const std::string& path) {
  const Bytes data = ReadAll(path);
  return std::string(data.begin(), data.end());
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    return 0;
  }
  return st.st_mode & 07777;
}

std::string PlainFile::FileId() const {
  return ComputeFileId(domain, relativePath);
}

std::vector<PlainFile> SampleFiles() {
  return {
      {"HomeDomain", "Library/SMS/sms.db", RandomishBytes(5000, 1), 4},
      {"CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.JPG", RandomishBytes((1 << 20) + 37, 2),
       std::nullopt},
      {"HomeDomain", "Library/Notes/empty.txt", {}, 3},
      {"MediaDomain", "Library/exact-4096.bin", RandomishBytes(4096, 3), 1},
      {"AppDomain-com.example.app", "Documents/hello.txt", Bytes{'h', 'e', 'l', 'l', 'o'}, 2},
  };
}

namespace {

void WriteInfoPlist(const std::string& folder) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
      "\t<key>Device Name</key>\n\t<string>Test Phone</string>\n"
      "\t<key>Product Version</key>\n\t<string>16.1</string>\n"
      "\t<key>Serial Number</key>\n\t<string>SERIAL123</string>\n"
      "</dict>\n</plist>\n";
  WriteAll(folder + "/Info.plist", AsBytes(xml));
}

void Exec(sqlite3* db, const char* sql) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
}

void InsertRow(sqlite3* db, const std::string& id, const std::string& domain,
               const std::string& path, int flags, const Bytes& blob) {
  UniqueStatement stmt;
  ASSERT_EQ(Prepare(db, "INSERT INTO Files VALUES (?1, ?2, ?3, ?4, ?5)", &stmt), SQLITE_OK);
  sqlite3_bind_text(stmt.get(), 1, id.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(stmt.get(), 2, domain.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(stmt.get(), 3, path.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_int(stmt.get(), 4, flags);
  sqlite3_bind_blob(stmt.get(), 5, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
  ASSERT_EQ(sqlite3_step(stmt.get()), SQLITE_DONE);
}

}  // namespace

void WritePlainDbBackup(const std::string& folder, const std::vector<PlainFile>& files) {
  fs::create_directories(folder);
  WriteInfoPlist(folder);
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open((folder + "/Manifest.db").c_str(), &raw), SQLITE_OK);
  UniqueSqlite db(raw);
  Exec(db.get(),
       "CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags "
       "INTEGER, file BLOB);"
       "CREATE INDEX FilesDomainIdx ON Files(domain);"
       "CREATE TABLE Properties (key TEXT PRIMARY KEY, value BLOB);");
  MbFile folderArchive;
  folderArchive.relativePath = "Library";
  folderArchive.mode = 040755;
  Bytes folderBlob;
  ASSERT_EQ(WriteMbFile(folderArchive, &folderBlob), kOk);
  InsertRow(db.get(), ComputeFileId("HomeDomain", "Library"), "HomeDomain", "Library", 2,
            folderBlob);
  for (const PlainFile& f : files) {
    MbFile archive;
    archive.relativePath = f.relativePath;
    archive.size = f.content.size();
    archive.mode = 0100644;
    archive.protectionClass = f.protectionClass;
    archive.birth = 1700000000;
    Bytes blob;
    ASSERT_EQ(WriteMbFile(archive, &blob), kOk);
    InsertRow(db.get(), f.FileId(), f.domain, f.relativePath, 1, blob);
    const std::string sub = folder + "/" + f.FileId().substr(0, 2);
    fs::create_directories(sub);
    WriteAll(sub + "/" + f.FileId(), f.content);
  }
}

void WritePlainMbdbBackup(const std::string& folder, const std::vector<PlainFile>& files) {
  fs::create_directories(folder);
  WriteInfoPlist(folder);
  std::vector<MbdbRecord> records;
  MbdbRecord dir;
  dir.domain = "HomeDomain";
  dir.path = "Library";
  dir.mode = 040755;
  records.push_back(dir);
  for (const PlainFile& f : files) {
    MbdbRecord r;
    r.domain = f.domain;
    r.path = f.relativePath;
    r.mode = 0100644;
    r.size = f.content.size();
    r.protectionClass = static_cast<uint8_t>(f.protectionClass.value_or(0));
    r.inode = 1000 + records.size();
    r.properties.push_back({std::string("note"), std::string("kept")});
    records.push_back(r);
    WriteAll(folder + "/" + f.FileId(), f.content);
  }
  Bytes data;
  ASSERT_EQ(SerializeMbdb(records, &data), kOk);
  WriteAll(folder + "/Manifest.mbdb", data);
}

std::vector<std::string> FilesRows(const std::string& dbPath) {
  std::vector<std::string> rows;
  SqliteDatabase db;
  EXPECT_TRUE(db.Open(dbPath).ok()) << dbPath;
  UniqueStatement stmt;
  if (!db.isOpen() ||
      Prepare(db.handle(), "SELECT fileID, domain, relativePath, flags, file FROM Files", &stmt) !=
          SQLITE_OK) {
    ADD_FAILURE() << "no Files table in " << dbPath;
    return rows;
  }
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < 4; ++c) {
      const unsigned char* text = sqlite3_column_text(stmt.get(), c);
      row += text ? reinterpret_cast<const char*>(text) : "-";
      row += "|";
    }
    const auto* blob = static_cast<const uint8_t*>(sqlite3_column_blob(stmt.get(), 4));
    MbFile archive;
    if (blob != nullptr &&
        ReadMbFile(ByteView(blob, static_cast<size_t>(sqlite3_column_bytes(stmt.get(), 4))),
                   &archive) == kOk) {
      row += archive.relativePath.value_or("-") + "|" +
             (archive.size ? std::to_string(*archive.size) : "-") + "|" +
             (archive.mode ? std::to_string(*archive.mode) : "-");
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace zbe::crypto::testing
