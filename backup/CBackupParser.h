#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "backup/BackupSummary.h"
#include "backup/ManifestEntry.h"
#include "backup/MediaWalk.h"
#include "backup/RecoveryCallbacks.h"
#include "backup/StoredFiles.h"
#include "records/CategoryTable.h"
#include "records/FileItems.h"
#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// The backup parser: finds the backups, reads their summaries, opens the chosen one and reads
// its data. One exists per application run (the main window owns it; pages, the recovery source,
// the export and the preview borrow it). It takes no locks: only the scan thread changes its
// state, one operation at a time; the preview copy and the export read no more of it than
// WorkFolder and stored-file paths. Not copyable.
class CBackupParser {
 public:
  // Creates WorkFolder (with missing parents, private to the user), takes the running program's
  // folder as the program folder, clears the progress state, deletes the leftovers of earlier
  // runs (CleanUpTemporaryFiles) and discovers the backups of the MobileSync root. The
  // application-data folder comes from the environment
  // ($XDG_DATA_HOME, else ~/.local/share); when none can be found WorkFolder stays empty and no
  // backup is discovered.
  CBackupParser();
  // The same with "workFolder" (created private, with missing parents) in place of
  // "<appdata>/ZorvaneBackupExtractor/", and "decryptionFolder" (by default
  // "<workFolder>ZorvaneBackupPath") in place of the temporary folder's "ZorvaneBackupPath", for
  // a program that must not touch the preview copies and decrypted copies of a running
  // application (the command-line front end). Discovery is unchanged.
  explicit CBackupParser(const std::string& workFolder, const std::string& decryptionFolder = {});
  // Clears the manifest, the backup files and the discovered folders, then cleans up again.
  ~CBackupParser();
  CBackupParser(const CBackupParser&) = delete;
  CBackupParser& operator=(const CBackupParser&) = delete;

  // --- Discovery and summaries ---

  // Sets the backup folder to the MobileSync root and refills the discovered folders with its
  // entries. Returns 0, or the errno when the application-data folder cannot be resolved (the
  // discovered folders are then empty). A missing root leaves them empty and still returns 0.
  int32_t DiscoverBackups();

  // Appends the summary of every discovered folder that has a readable "Info.plist" to
  // "summaries" and sorts them newest first. Returns 0.
  int32_t ReadBackupSummaries(std::vector<BackupSummary>& summaries) const;

  // Reads the summary of "folder" (one the user picked) into "summary". Returns 0, or 87 when
  // its "Info.plist" cannot be opened.
  int32_t ReadBackupSummary(const std::string& folder, BackupSummary& summary) const;

  // The encrypted flag of the backup in "folder" (see backup/EncryptionProbe.h).
  bool ProbeEncrypted(const std::string& folder) const;

  // Appends the entries of "folder" whose names do not begin with "." (see
  // backup/BackupDiscovery.h). Returns false when the listing cannot start.
  static bool ListFolder(const std::string& folder, std::vector<std::string>& entries);

  // --- Opening and reading the chosen backup ---

  // Copies "summary" into the selected backup and makes its folderPath the backup folder.
  // Returns 0.
  int32_t SetBackup(const BackupSummary& summary);

  // Stores the scan's progress callback and its user data (either may be null). Returns 0.
  int32_t SetProgressCallback(RecoveryProgressCallback callback, void* userData);

  // The folder whose "tool" decrypts encrypted backups (copied to WorkFolder before each run).
  // It is the running program's folder unless set here, as tests and programs installed apart
  // from the tool do.
  void SetProgramFolder(const std::string& folder) { programFolder_ = folder; }
  const std::string& programFolder() const { return programFolder_; }

  // Where Open puts the decrypted copies of an encrypted backup, and what the clean-up empties.
  const std::string& decryptionFolder() const { return decryptionFolder_; }

  // Opens the selected backup: empties the message and WhatsApp threads, backup files,
  // discovered folders and manifest; reports 0 (weight 11); for an encrypted backup decrypts it
  // with "password" (weight 10; see RunDecryption in backup/DecryptionRunner.h), else reports 1;
  // loads the manifest (ManifestLoader; for an encrypted backup the decrypted "Manifest.db" from
  // the decryption output folder); adds the weight to the running progress and reports it. The
  // answers to these reports are not heeded. After a decryption the backup folder and the
  // selected backup's folderPath are the output folder, whose decrypted copies lie flat.
  // Returns the manifest's result (0, 87 without a manifest, 6009, 1006 or SQLite's open code),
  // or, before any manifest is read, the decryption's failure or stop: -110 for a wrong
  // password, 87 when the tool cannot be started (or is missing), or the progress callback's
  // non-zero answer.
  int32_t Open(const std::string& password);

  // The category reads of the recovery source (slots 5 to 12 and 15): each fills its container
  // (see IPhoneRecoveryParse for what each delivers and how it reports progress) and returns a
  // result code; a read whose reader is not part of the build returns 87 and fills nothing.
  //
  // ReadMessages: the messages reader (records/MessagesReader.h) over the stored "sms.db" and
  // address book; "threads" receives what it read whole (replacing its content; the parser
  // keeps no copy). With P the running progress and S the step weight, the reader reports
  // P + S/5, P + S/4 and P + S itself; the running progress then grows by S/2 without a report.
  // Returns the reader's result.
  int32_t ReadMessages(MessageThreadMap& threads);
  // ReadMessageAttachments, ReadCameraRoll, ReadAppMedia: the media walks of
  // backup/AttachmentGathering.h, CameraRollGathering.h and AppMediaGathering.h.
  // ReadWhatsAppAttachments hands out what ReadAppMedia gathered since the last Open; when
  // ReadAppMedia has not run (or was stopped) since then, it gathers the WhatsApp attachments
  // itself first (reports P + S × k / N, heeded). It then adds S, reports, and returns that
  // report's answer.
  int32_t ReadMessageAttachments(std::vector<AttachmentItem>& attachments);
  // ReadContacts, ReadCallHistory, ReadNotes: the readers of records/ContactsReader.h,
  // CallHistoryReader.h (the newer call database when its stored file exists, else the older)
  // and NotesReader.h (the older notes database first, the newer only while "notes" is still
  // empty; the result is that of the last reader run). Each then adds S/2 to the running
  // progress and reports it without heeding the answer, and returns its reader's result.
  int32_t ReadContacts(ContactList& contacts);
  int32_t ReadNotes(NoteList& notes);
  int32_t ReadCallHistory(CallList& calls);
  int32_t ReadCameraRoll(std::vector<MediaFileItem>& cameraRoll,
                         std::vector<MediaFileItem>& photoStream);
  int32_t ReadWhatsAppAttachments(std::vector<MediaFileItem>& attachments);
  int32_t ReadAppMedia(std::vector<AppMediaItem>& media);
  // ReadWhatsApp: the WhatsApp reader (records/WhatsAppReader.h) over the chat database found
  // in the manifest; "chats" receives what it read whole (replacing its content; the parser keeps
  // no copy); adds S and reports. Returns the answer to that report when it is non-zero
  // (2: stopped), else the reader's result.
  int32_t ReadWhatsApp(WhatsAppThreadMap& chats);

  // Copies a stored file to WorkFolder for the preview (see backup/PreviewCopy.h for the copy's
  // name and every result). Reads no more of the parser than WorkFolder, so the preview may call
  // it while a scan runs.
  int32_t MakePreviewCopy(const std::string& storedPath, std::string& copyPath,
                          PreviewCopyCallback callback, void* context) const;

  // Copies one stored file for the export (see backup/StoredFileCopy.h for every result).
  int32_t CopyStoredFile(const std::string& source, const std::string& destination,
                         FileCopyCallback callback, void* context) const;

  // Copy the stored messages ("sms.db") and address book databases of the opened backup to
  // "destination", replacing an existing file. Return 0, or 87 when the stored database cannot
  // be opened, or the errno of a failed write (an incomplete copy is removed).
  int32_t CopyMessagesDatabase(const std::string& destination) const;
  int32_t CopyContactsDatabase(const std::string& destination) const;

  // Deletes every file of the decryption output folder (one level, the decrypted
  // "Manifest.db-decypted" among them) and the preview copies "tmp.jpg", "tmp.avi" and "tmp.wav"
  // of WorkFolder. Errors of single deletions are ignored. The tool copy stays.
  void CleanUpTemporaryFiles();

  // --- Stored files of the opened backup ---

  // The path of the stored file "fileID" in the backup folder, in the layout of the opened
  // backup: flat for an encrypted backup, two-level with "Manifest.db", else flat.
  std::string StoredFilePath(std::string_view fileID) const;

  // The stored paths of the manifest entries whose path contains "name", in manifest order.
  std::vector<std::string> FindStoredFiles(std::string_view name) const;

  // The WhatsApp chat and contacts databases found by name in the manifest.
  WhatsAppDatabasePaths FindWhatsAppDatabases() const;

  // --- State, for the pages and tests ---
  const std::string& backupFolder() const { return backupFolder_; }
  const std::string& WorkFolder() const { return workFolder_; }
  const BackupSummary& selectedBackup() const { return selectedBackup_; }
  const std::vector<std::string>& discoveredFolders() const { return discoveredFolders_; }
  const std::vector<std::string>& backupFiles() const { return backupFiles_; }
  const std::vector<ManifestEntry>& manifest() const { return manifest_; }
  bool usesManifestDb() const { return usesManifestDb_; }
  int32_t runningProgress() const { return runningProgress_; }
  int32_t stepWeight() const { return stepWeight_; }

 private:
  // Calls the progress callback with "progress"; returns its answer (0 without a callback).
  int32_t ReportProgress(int32_t progress);
  // The opened backup and the progress state as the media walk of "step" sees them.
  MediaWalk MakeMediaWalk(ReadStep step);
  // What "step" adds to the running progress at its end (backup/ScanSteps.h).
  int32_t EndShare(ReadStep step) const;

  // The decryption step of Open for an encrypted backup. On success stores the folder of the
  // decrypted copies in "outputFolder" and the decrypted manifest's path in
  // "decryptedManifest", and returns success.
  Result DecryptBackup(const std::string& password, std::string& outputFolder,
                       std::string& decryptedManifest);
  // Deletes the decrypted copies (part of CleanUpTemporaryFiles).
  void RemoveDecryptedCopies();

  // Folder of the backup being read: the MobileSync root after discovery, the chosen backup's
  // folder after SetBackup, the decrypted copies' folder after a decryption.
  std::string backupFolder_;
  std::string workFolder_;     // "<appdata>/ZorvaneBackupExtractor/", or empty without appdata
  std::string programFolder_;  // where "tool" is copied from
  // The decryption output folder: the temporary folder's "ZorvaneBackupPath" unless given.
  std::string decryptionFolder_;
  BackupSummary selectedBackup_;
  std::vector<std::string> discoveredFolders_;  // entries of the MobileSync root
  std::vector<std::string> backupFiles_;        // files counted for the decryption progress
  std::vector<ManifestEntry> manifest_;         // every file of the opened backup, in order
  bool usesManifestDb_ = false;                 // two-level stored-file layout
  RecoveryProgressCallback progressCallback_ = nullptr;
  void* progressUserData_ = nullptr;
  int32_t runningProgress_ = 0;  // progress reported so far in the current scan
  int32_t stepWeight_ = 0;       // 11 for a plain backup, 10 for an encrypted one
  std::vector<MediaFileItem> whatsAppAttachments_;  // gathered by ReadAppMedia
  bool whatsAppAttachmentsGathered_ = false;        // for the backup opened last
};

}  // namespace zbe
