// The Manifest.db layout of EncryptBackupFolder.

#include <cerrno>
#include <memory>

#include "platform/FileSystem.h"
#include "records/SqliteDatabase.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/EncryptorSteps.h"
#include "tools/crypto/FileBytes.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/KeySource.h"
#include "tools/crypto/ManifestDbFiles.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/PrefixedKey.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {

namespace {

// Devices wrap the manifest key with the class that is available without the passcode.
constexpr uint32_t kManifestKeyClass = 4;
constexpr uint64_t kRegularFileMode = 0100644;

struct BackupFinisher {
  void operator()(sqlite3_backup* backup) const { sqlite3_backup_finish(backup); }
};

struct SqliteFreer {
  void operator()(unsigned char* p) const { sqlite3_free(p); }
};

// Copies the plain database into a private in-memory one that may be changed freely.
Result CopyToMemory(sqlite3* plain, UniqueSqlite* copy) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  UniqueSqlite memory(raw);
  if (rc != SQLITE_OK) {
    return kDatabaseError;
  }
  std::unique_ptr<sqlite3_backup, BackupFinisher> backup(
      sqlite3_backup_init(memory.get(), "main", plain, "main"));
  if (!backup) {
    return kDatabaseError;
  }
  rc = sqlite3_backup_step(backup.get(), -1);
  const int finish = sqlite3_backup_finish(backup.release());
  if (rc != SQLITE_DONE || finish != SQLITE_OK) {
    return kDatabaseError;
  }
  *copy = std::move(memory);
  return kOk;
}

// The stored file of a two-level backup, or the flat one when only that exists.
std::string PlainStoredPath(const std::string& folder, const std::string& fileId) {
  const std::string nested = JoinPath(JoinPath(folder, fileId.substr(0, 2)), fileId);
  const std::string flat = JoinPath(folder, fileId);
  return !IsRegularFile(nested) && IsRegularFile(flat) ? flat : nested;
}

// Encrypts one regular file of the manifest and returns its new archive in "blob".
Result EncryptRow(EncryptContext& ctx, const ManifestDbRow& row, const MbFile* archive,
                  Bytes* blob) {
  if (!IsValidFileId(row.fileId)) {
    return kMalformed;
  }
  const uint32_t cls =
      ChooseProtectionClass(ctx, archive ? archive->protectionClass : std::nullopt);
  const std::string subfolder = JoinPath(ctx.outFolder, row.fileId.substr(0, 2));
  Result rc = Result::System(CreateFolders(subfolder, 0700, FolderMode::kExact));
  if (rc != kOk) {
    return rc;
  }
  Bytes prefixedKey;
  uint64_t size = 0;
  bool present = false;
  rc = EncryptStoredFile(ctx, PlainStoredPath(ctx.plainFolder, row.fileId),
                         JoinPath(subfolder, row.fileId), cls, &prefixedKey, &size, &present);
  if (rc != kOk) {
    return rc;
  }
  if (archive != nullptr) {
    return SetMbFileEncryption(*row.file, prefixedKey, cls, size, blob);
  }
  MbFile fresh;
  fresh.relativePath = row.relativePath;
  fresh.size = size;
  fresh.mode = kRegularFileMode;
  fresh.protectionClass = cls;
  fresh.encryptionKey = prefixedKey;
  return WriteMbFile(fresh, blob);
}

Result EncryptFiles(EncryptContext& ctx, sqlite3* plain, sqlite3* copy) {
  UniqueStatement update;
  if (Prepare(copy, "UPDATE Files SET file = ?1 WHERE rowid = ?2", &update) != SQLITE_OK) {
    return kDatabaseError;
  }
  // Rows are read from the plain database and changed in the copy, so that the walk never sees
  // its own changes.
  return ForEachFilesRow(plain, [&](const ManifestDbRow& row) -> Result {
    if (row.fileIsText) {
      return kUnsupported;
    }
    MbFile archive;
    const bool hasArchive = row.file && !row.file->empty();
    if (hasArchive && ReadMbFile(*row.file, &archive) != kOk) {
      return kMalformed;
    }
    if (!IsRegularFileRow(row, hasArchive ? &archive : nullptr)) {
      return kOk;
    }
    Bytes blob;
    Result rc = EncryptRow(ctx, row, hasArchive ? &archive : nullptr, &blob);
    if (rc != kOk) {
      return rc;
    }
    sqlite3_reset(update.get());
    if (sqlite3_bind_blob64(update.get(), 1, blob.data(), blob.size(), SQLITE_TRANSIENT) !=
            SQLITE_OK ||
        sqlite3_bind_int64(update.get(), 2, row.rowId) != SQLITE_OK ||
        sqlite3_step(update.get()) != SQLITE_DONE) {
      return kDatabaseError;
    }
    return kOk;
  });
}

Result WriteDatabase(EncryptContext& ctx, sqlite3* copy, Bytes* manifestKey) {
  sqlite3_int64 size = 0;
  std::unique_ptr<unsigned char, SqliteFreer> image(sqlite3_serialize(copy, "main", &size, 0));
  if (!image || size <= 0) {
    return kDatabaseError;
  }
  const ByteView plainImage(image.get(), static_cast<size_t>(size));
  const std::string path = JoinPath(ctx.outFolder, "Manifest.db");
  if (!ctx.options.encryptManifestDb) {
    return WriteOutputFile(path, plainImage);
  }
  SecretBytes key(kContentKeySize);
  Result rc = ctx.source.Fill(key);
  if (rc == kOk) {
    rc = WrapPrefixedKey(ctx.keys, kManifestKeyClass, key, manifestKey);
  }
  Bytes cipher;
  if (rc == kOk) {
    rc = EncryptBytes(plainImage, key, &cipher);
  }
  return rc == kOk ? WriteOutputFile(path, cipher) : rc;
}

}  // namespace

Result EncryptManifestDbLayout(EncryptContext& ctx, Bytes* manifestKey) {
  manifestKey->clear();
  SqliteDatabase plain;
  if (!plain.Open(JoinPath(ctx.plainFolder, "Manifest.db")).ok()) {
    return kDatabaseError;
  }
  UniqueSqlite copy;
  Result rc = CopyToMemory(plain.handle(), &copy);
  if (rc == kOk) {
    rc = EncryptFiles(ctx, plain.handle(), copy.get());
  }
  if (rc == kOk) {
    rc = WriteDatabase(ctx, copy.get(), manifestKey);
  }
  return rc;
}

}  // namespace zbe::crypto
