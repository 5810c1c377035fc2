#include "tools/decrypt/BackupDecryption.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/FileSystem.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/decrypt/DecryptionReport.h"
#include "tools/decrypt/ExitCodes.h"
#include "tools/decrypt/ManifestDbDecryption.h"
#include "tools/decrypt/MbdbDecryption.h"
#include "tools/decrypt/OutputFolder.h"

namespace zbe::decrypt {

namespace {

using crypto::kOk;

enum class Layout { kManifestDb, kMbdb };

// Reads Manifest.plist and its keybag. Returns false after reporting why.
bool ReadKeys(const std::string& backupFolder, DecryptionReport& report,
              crypto::ManifestPlistKeys* plistKeys, crypto::Keybag* keybag) {
  const std::string path = JoinPath(backupFolder, "Manifest.plist");
  const Result rc = crypto::ReadManifestPlist(path, plistKeys);
  if (rc == crypto::kMissingFile) {
    report.Fatal("no Manifest.plist in " + backupFolder + "; not a backup folder");
    return false;
  }
  if (rc == crypto::kMalformed) {
    report.Fatal("Manifest.plist is damaged (not a property list of the expected shape)");
    return false;
  }
  if (rc != kOk) {
    report.Fatal(std::string("cannot read Manifest.plist: ") + rc.Text());
    return false;
  }
  if (!plistKeys->isEncrypted) {
    report.Fatal("the backup is not encrypted; its files can be read directly");
    return false;
  }
  if (plistKeys->backupKeyBag.empty()) {
    report.Fatal("Manifest.plist says the backup is encrypted but holds no BackupKeyBag");
    return false;
  }
  if (crypto::ParseKeybag(plistKeys->backupKeyBag, keybag) != kOk) {
    report.Fatal("the BackupKeyBag of Manifest.plist is damaged");
    return false;
  }
  return true;
}

bool FindLayout(const std::string& backupFolder, DecryptionReport& report, Layout* layout) {
  if (IsRegularFile(JoinPath(backupFolder, "Manifest.db"))) {
    *layout = Layout::kManifestDb;
    return true;
  }
  if (IsRegularFile(JoinPath(backupFolder, "Manifest.mbdb"))) {
    *layout = Layout::kMbdb;
    return true;
  }
  report.Fatal("no Manifest.db or Manifest.mbdb in " + backupFolder);
  return false;
}

// Derives the passcode key and unlocks the class keys. Returns an exit status, kExitSuccess when
// "keys" is ready.
int Unlock(const crypto::Keybag& keybag, crypto::ByteView password, DecryptionReport& report,
           crypto::ClassKeys* keys) {
  const Result rc = crypto::UnlockWithPassword(keybag, password, keys);
  if (rc == kOk) {
    return kExitSuccess;
  }
  if (rc == crypto::kWrongPassword) {
    report.WrongPassword();
    return kExitWrongPassword;
  }
  if (rc == crypto::kImplausible) {
    report.Fatal("the keybag asks for an implausible number of key derivation rounds; refused");
  } else if (rc == crypto::kMalformed) {
    report.Fatal("the keybag lacks its salt or round count, or holds no password-protected key");
  } else {
    report.Fatal(std::string("cannot unlock the keybag: ") + rc.Text());
  }
  return kExitFailed;
}

}  // namespace

int DecryptBackup(const std::string& backupFolder, const std::string& outputFolder,
                  crypto::ByteView password, DecryptionReport& report) {
  if (!IsFolder(backupFolder)) {
    report.Fatal("backup folder not found: " + backupFolder);
    return kExitFailed;
  }
  const Result prepared = PrepareOutputFolder(backupFolder, outputFolder);
  if (prepared == crypto::kBadArgument) {
    report.Fatal("the output folder must not be the backup folder or lie inside it");
    return kExitFailed;
  }
  if (prepared != kOk) {
    report.Fatal("cannot create the output folder " + outputFolder + ": " + prepared.Text());
    return kExitFailed;
  }
  // A decrypted manifest left by an earlier run (of this or another backup) must never pass for
  // this run's, whatever happens below.
  const std::string staleManifest = JoinPath(outputFolder, kDecryptedManifestName);
  if (::unlink(staleManifest.c_str()) != 0 && errno != ENOENT) {
    report.Fatal("cannot remove the earlier " + staleManifest);
    return kExitFailed;
  }
  crypto::ManifestPlistKeys plistKeys;
  crypto::Keybag keybag;
  Layout layout = Layout::kManifestDb;
  // Everything that can fail cheaply is checked before the costly key derivation.
  if (!ReadKeys(backupFolder, report, &plistKeys, &keybag) ||
      !FindLayout(backupFolder, report, &layout)) {
    return kExitFailed;
  }
  crypto::ClassKeys keys;
  const int unlocked = Unlock(keybag, password, report, &keys);
  if (unlocked != kExitSuccess) {
    return unlocked;
  }
  DecryptionSession session{backupFolder, outputFolder, keys, report};
  const bool read = layout == Layout::kManifestDb
                        ? DecryptManifestDbBackup(session, plistKeys.manifestKey)
                        : DecryptMbdbBackup(session);
  if (!read) {
    return kExitFailed;
  }
  if (report.problems() > 0) {
    report.Fatal(std::to_string(report.problems()) + " of " + std::to_string(report.filesDone()) +
                 " stored files were skipped or are damaged (listed above)");
  }
  if (report.problems() > 0 || report.manifestIncomplete()) {
    return kExitFilesSkipped;
  }
  return kExitSuccess;
}

}  // namespace zbe::decrypt
