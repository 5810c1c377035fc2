#include "backup/CBackupParser.h"

#include "backup/BackupDiscovery.h"
#include "backup/EncryptionProbe.h"
#include "backup/ManifestLoader.h"
#include "backup/StoredFileCopy.h"
#include "backup/TempFolder.h"
#include "platform/AppFolders.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

// Weights of one step of the scan's progress.
constexpr int32_t kPlainStepWeight = 11;
constexpr int32_t kEncryptedStepWeight = 10;

// The preview copies that CleanUpTemporaryFiles removes.
constexpr const char* kPreviewCopies[] = {"tmp.jpg", "tmp.avi", "tmp.wav"};

// "<appdata>/ZorvaneBackupExtractor/", or "" when there is no application-data folder.
std::string DefaultWorkFolder() {
  std::string appData;
  return AppDataFolder(appData) == 0 ? WorkFolderIn(appData) : std::string();
}

}  // namespace

CBackupParser::CBackupParser() : CBackupParser(DefaultWorkFolder(), DecryptionOutputFolder()) {}

CBackupParser::CBackupParser(const std::string& workFolder, const std::string& decryptionFolder)
    : workFolder_(workFolder), decryptionFolder_(decryptionFolder) {
  if (!workFolder_.empty()) {
    if (workFolder_.back() != '/') {
      workFolder_ += '/';
    }
    // Preview copies of personal data land here: keep the folder private to the user.
    CreateFolders(workFolder_, 0700);
  }
  if (decryptionFolder_.empty() && !workFolder_.empty()) {
    decryptionFolder_ = workFolder_ + kDecryptionOutputName;
  }
  programFolder_ = ProgramFolder();
  // The progress state starts cleared (no callback, running progress and weight 0).
  CleanUpTemporaryFiles();
  DiscoverBackups();
}

CBackupParser::~CBackupParser() {
  manifest_.clear();
  backupFiles_.clear();
  discoveredFolders_.clear();
  CleanUpTemporaryFiles();
}

int32_t CBackupParser::DiscoverBackups() {
  discoveredFolders_.clear();
  std::string appData;
  int32_t result = AppDataFolder(appData);
  if (result != 0) {
    return result;
  }
  backupFolder_ = MobileSyncRoot(appData);
  ListFolder(backupFolder_, discoveredFolders_);
  return kResultOk;
}

int32_t CBackupParser::ReadBackupSummaries(std::vector<BackupSummary>& summaries) const {
  ReadSummariesOf(discoveredFolders_, summaries);
  return kResultOk;
}

int32_t CBackupParser::ReadBackupSummary(const std::string& folder, BackupSummary& summary) const {
  return ReadSummaryOfFolder(folder, summary).code();
}

bool CBackupParser::ProbeEncrypted(const std::string& folder) const {
  return zbe::ProbeEncrypted(folder);
}

bool CBackupParser::ListFolder(const std::string& folder, std::vector<std::string>& entries) {
  return zbe::ListFolder(folder, entries);
}

int32_t CBackupParser::SetBackup(const BackupSummary& summary) {
  selectedBackup_ = summary;
  backupFolder_ = summary.folderPath;
  return kResultOk;
}

int32_t CBackupParser::SetProgressCallback(RecoveryProgressCallback callback, void* userData) {
  progressCallback_ = callback;
  progressUserData_ = userData;
  return kResultOk;
}

int32_t CBackupParser::ReportProgress(int32_t progress) {
  return progressCallback_ != nullptr ? progressCallback_(progressUserData_, progress) : 0;
}

int32_t CBackupParser::Open(const std::string& password) {
  runningProgress_ = 0;
  stepWeight_ = kPlainStepWeight;
  ReportProgress(runningProgress_);
  whatsAppAttachmentsGathered_ = false;
  backupFiles_.clear();
  discoveredFolders_.clear();
  manifest_.clear();

  std::string outputFolder;
  std::string decryptedManifest;
  if (selectedBackup_.encrypted) {
    stepWeight_ = kEncryptedStepWeight;
    if (Result decrypted = DecryptBackup(password, outputFolder, decryptedManifest);
        !decrypted.ok()) {
      return decrypted.code();
    }
  } else {
    runningProgress_ = 1;
    ReportProgress(runningProgress_);
  }

  // An encrypted backup's manifest is looked up in its own folder (the decrypted copy of
  // "Manifest.db" lies in the output folder); only then do stored-file paths move to the copies.
  Result result = LoadManifest(backupFolder_, decryptedManifest, manifest_, usesManifestDb_);
  if (!outputFolder.empty()) {
    backupFolder_ = outputFolder;
    selectedBackup_.folderPath = outputFolder;
  }
  runningProgress_ += stepWeight_;
  ReportProgress(runningProgress_);
  return result.code();
}

int32_t CBackupParser::CopyStoredFile(const std::string& source, const std::string& destination,
                                      FileCopyCallback callback, void* context) const {
  return zbe::CopyStoredFile(source, destination, callback, context).code();
}

int32_t CBackupParser::CopyMessagesDatabase(const std::string& destination) const {
  return CopyStoredDatabase(StoredFilePath(kMessagesHashedName), destination).code();
}

int32_t CBackupParser::CopyContactsDatabase(const std::string& destination) const {
  return CopyStoredDatabase(StoredFilePath(kAddressBookHashedName), destination).code();
}

void CBackupParser::CleanUpTemporaryFiles() {
  RemoveDecryptedCopies();
  if (workFolder_.empty()) {
    return;
  }
  for (const char* name : kPreviewCopies) {
    RemovePath(JoinPath(workFolder_, name));
  }
}

std::string CBackupParser::StoredFilePath(std::string_view fileID) const {
  return zbe::StoredFilePath(backupFolder_, fileID,
                             LayoutFor(selectedBackup_.encrypted, usesManifestDb_));
}

std::vector<std::string> CBackupParser::FindStoredFiles(std::string_view name) const {
  return zbe::FindStoredFiles(manifest_, name, backupFolder_,
                              LayoutFor(selectedBackup_.encrypted, usesManifestDb_));
}

WhatsAppDatabasePaths CBackupParser::FindWhatsAppDatabases() const {
  return zbe::FindWhatsAppDatabases(manifest_, backupFolder_,
                                    LayoutFor(selectedBackup_.encrypted, usesManifestDb_));
}

}  // namespace zbe
