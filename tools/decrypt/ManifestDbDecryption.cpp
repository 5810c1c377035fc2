#include "tools/decrypt/ManifestDbDecryption.h"

#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/FileSystem.h"
#include "records/SqliteDatabase.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/ManifestDbFiles.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/PrefixedKey.h"
#include "tools/crypto/SqliteHandles.h"
#include "tools/decrypt/BackupDecryption.h"
#include "tools/decrypt/DecryptionReport.h"
#include "tools/decrypt/StoredFileDecryption.h"

namespace zbe::decrypt {

namespace {

using crypto::kOk;

constexpr char kSqliteHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                    'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

bool StartsWithSqliteHeader(const std::string& path) {
  UniqueFd fd;
  if (OpenRegularFile(path, fd) != 0) {
    return false;
  }
  uint8_t head[sizeof(kSqliteHeader)];
  size_t got = 0;
  return ReadUpTo(fd.get(), head, sizeof(head), got) == 0 && got == sizeof(head) &&
         std::memcmp(head, kSqliteHeader, sizeof(head)) == 0;
}

// Writes the plain manifest to "outPath". Returns false after reporting why.
bool WritePlainManifest(const DecryptionSession& session, crypto::ByteView manifestKey,
                        const std::string& dbPath, const std::string& outPath) {
  DecryptionReport& report = session.report;
  if (manifestKey.empty()) {
    // Backups made before iOS 10.2 keep Manifest.db plain.
    if (!StartsWithSqliteHeader(dbPath)) {
      report.Fatal("Manifest.db is encrypted but Manifest.plist has no ManifestKey");
      return false;
    }
    const Result rc = crypto::OpenResult(CopyFileBytes(dbPath, outPath, 0600));
    if (rc != kOk) {
      report.Fatal(std::string("cannot copy Manifest.db: ") + rc.Text());
      return false;
    }
    return true;
  }
  crypto::SecretBytes key;
  Result rc = crypto::UnwrapPrefixedKey(session.keys, manifestKey, std::nullopt, &key);
  if (rc != kOk) {
    report.Fatal(std::string("the ManifestKey of Manifest.plist cannot be used: ") + rc.Text());
    return false;
  }
  uint64_t size = 0;
  rc = crypto::DecryptFile(dbPath, key, outPath, crypto::PaddingRule::kAcceptUnpaddedSqlite,
                           std::nullopt, &size);
  if (rc == kOk && !StartsWithSqliteHeader(outPath)) {
    rc = crypto::kBadPadding;
  }
  if (rc != kOk) {
    ::unlink(outPath.c_str());
    if (rc == crypto::kMissingFile) {
      report.Fatal("Manifest.db cannot be opened");
    } else if (rc == crypto::kTruncated || rc == crypto::kBadPadding) {
      report.Fatal("Manifest.db does not decrypt to a database (truncated or damaged)");
    } else {
      report.Fatal(std::string("cannot decrypt Manifest.db: ") + rc.Text());
    }
    return false;
  }
  return true;
}

}  // namespace

bool DecryptManifestDbBackup(const DecryptionSession& session, crypto::ByteView manifestKey) {
  DecryptionReport& report = session.report;
  const std::string dbPath = JoinPath(session.backupFolder, "Manifest.db");
  const std::string outPath = JoinPath(session.outputFolder, kDecryptedManifestName);
  if (!WritePlainManifest(session, manifestKey, dbPath, outPath)) {
    return false;
  }
  SqliteDatabase db;
  if (!db.Open(outPath).ok()) {
    report.Fatal("the decrypted Manifest.db cannot be opened");
    return false;
  }
  const Result rc =
      crypto::ForEachFilesRow(db.handle(), [&](const crypto::ManifestDbRow& row) -> Result {
        if (row.fileIsText) {
          return crypto::kUnsupported;
        }
        crypto::MbFile archive;
        const bool hasArchive = row.file && !row.file->empty();
        const bool archiveRead = hasArchive && crypto::ReadMbFile(*row.file, &archive) == kOk;
        if (!crypto::IsRegularFileRow(row, archiveRead ? &archive : nullptr)) {
          return kOk;
        }
        if (hasArchive && !archiveRead) {
          report.FileProblem(row.fileId, "its manifest record cannot be read; skipped");
        } else {
          StoredFile file;
          file.fileId = row.fileId;
          if (row.fileId.size() >= 2) {
            file.candidatePaths = {
                JoinPath(JoinPath(session.backupFolder, row.fileId.substr(0, 2)), row.fileId),
                JoinPath(session.backupFolder, row.fileId)};
          }
          file.prefixedKey = archive.encryptionKey;
          if (archive.protectionClass && *archive.protectionClass <= UINT32_MAX) {
            file.classHint = static_cast<uint32_t>(*archive.protectionClass);
          }
          file.recordedSize = archive.size;
          DecryptStoredFile(session, file);
        }
        report.FileDone();
        return kOk;
      });
  if (rc == crypto::kUnsupported) {
    report.Fatal("unsupported iOS 10.0 backup: its manifest records are encrypted separately");
    return false;
  }
  if (rc != kOk) {
    report.Fatal("the decrypted Manifest.db has no readable Files table");
    return false;
  }
  return true;
}

}  // namespace zbe::decrypt
