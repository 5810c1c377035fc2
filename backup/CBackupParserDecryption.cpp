// The decryption step of CBackupParser::Open.

#include "backup/CBackupParser.h"
#include "backup/DecryptionProtocol.h"
#include "backup/DecryptionRunner.h"
#include "backup/PrivateFolder.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe {

Result CBackupParser::DecryptBackup(const std::string& password, std::string& outputFolder,
                                    std::string& decryptedManifest) {
  backupFiles_.clear();
  ListBackupFiles(backupFolder_, backupFiles_);
  DecryptionRun run;
  run.toolSource = JoinPath(programFolder_, kDecryptionToolName);
  run.toolCopy = workFolder_.empty() ? std::string() : JoinPath(workFolder_, kDecryptionToolName);
  run.backupFolder = selectedBackup_.folderPath;
  run.outputFolder = decryptionFolder_;
  run.fileTotal = static_cast<int64_t>(backupFiles_.size());
  run.stepWeight = stepWeight_;
  Result result = RunDecryption(run, password, runningProgress_,
                                [this](int32_t progress) { return ReportProgress(progress); });
  if (!result.ok()) {
    return result;
  }
  outputFolder = run.outputFolder;
  decryptedManifest = JoinPath(outputFolder, kDecryptedManifestName);
  return Result::Ok();
}

void CBackupParser::RemoveDecryptedCopies() {
  // Also takes the decrypted manifest, which lies in the same folder.
  if (!decryptionFolder_.empty()) {
    EmptyFolder(decryptionFolder_);
  }
}

}  // namespace zbe
