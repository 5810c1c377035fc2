#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/RecoveryCallbacks.h"
#include "records/FileItems.h"
#include "records/Records.h"

namespace zbe {

// The recovery source: how every page reaches the data of one backup. The operations are
// declared in slot order (0 to 23); the order is part of the interface. All return a result code
// of records/ResultCodes.h unless noted. "Out" containers are filled: vectors are appended to,
// maps filled; a failing or stopped operation leaves them as far as it got. Operations run on
// the scan thread one at a time (the export's copies run on its worker after the scan).
class IPhoneRecoveryParse {
 public:
  // 0: keeps "context", the backup parser (CBackupParser*) that the source borrows.
  virtual int32_t Init(void* context) = 0;
  // 1: sets the scan's progress callback and its user data (both may be null).
  virtual int32_t SetProgressCallback(RecoveryProgressCallback callback, void* userData) = 0;
  // 2: no caller; returns 0.
  virtual int32_t Reserved(void* argument) = 0;
  // 3: no caller; true for a backup source (a flag, not a result code).
  virtual bool IsBackupSource(void* argument) = 0;
  // 4: decrypts an encrypted backup with "password" (empty for a plain one) and loads the
  // manifest.
  virtual int32_t Open(const std::string& password) = 0;
  // 5: the text messages, grouped into threads by handle.
  virtual int32_t ReadMessages(MessageThreadMap& threads) = 0;
  // 6: the message attachments.
  virtual int32_t ReadMessageAttachments(std::vector<AttachmentItem>& attachments) = 0;
  // 7: the contacts.
  virtual int32_t ReadContacts(ContactList& contacts) = 0;
  // 8: the notes.
  virtual int32_t ReadNotes(NoteList& notes) = 0;
  // 9: the call history.
  virtual int32_t ReadCallHistory(CallList& calls) = 0;
  // 10: the camera roll and the photo stream files.
  virtual int32_t ReadCameraRoll(std::vector<MediaFileItem>& cameraRoll,
                                 std::vector<MediaFileItem>& photoStream) = 0;
  // 11: the WhatsApp attachments gathered by the last ReadAppMedia; reports progress and
  // returns the callback's answer.
  virtual int32_t ReadWhatsAppAttachments(std::vector<MediaFileItem>& attachments) = 0;
  // 12: the photos and videos of apps (gathers the WhatsApp attachments on the way).
  virtual int32_t ReadAppMedia(std::vector<AppMediaItem>& media) = 0;
  // 13, 14: no caller; a backup holds no chats of these kinds.
  virtual int32_t ReadQQChats(WhatsAppThreadMap& chats) = 0;
  virtual int32_t ReadWeChatChats(WhatsAppThreadMap& chats) = 0;
  // 15: the WhatsApp chats.
  virtual int32_t ReadWhatsApp(WhatsAppThreadMap& chats) = 0;
  // 16: copies the stored file for the preview; "copyPath" receives the copy's path.
  virtual int32_t MakePreviewCopy(const std::string& storedPath, std::string& copyPath,
                                  PreviewCopyCallback callback, void* context) = 0;
  // 17: copies one stored file for the export (see backup/StoredFileCopy.h).
  virtual int32_t CopyStoredFile(const std::string& source, const std::string& destination,
                                 FileCopyCallback callback, void* context) = 0;
  // 18, 19: copy the stored messages and address book databases to "destination".
  virtual int32_t CopyMessagesDatabase(const std::string& destination) = 0;
  virtual int32_t CopyContactsDatabase(const std::string& destination) = 0;
  // 20, 21, 22: no caller.
  virtual int32_t ExportWhatsAppChatText(int32_t chatKey, const std::string& textFilePath,
                                         RecoveryProgressCallback callback, void* context) = 0;
  virtual int32_t ExportQQChatText(int32_t accountKey, int32_t friendKey,
                                   const std::string& textFilePath,
                                   RecoveryProgressCallback callback, void* context) = 0;
  virtual int32_t ExportWeChatChatText(int32_t accountKey, int32_t friendKey,
                                       const std::string& textFilePath,
                                       RecoveryProgressCallback callback, void* context) = 0;
  // 23: deletes the source only, never the parser it borrows.
  virtual ~IPhoneRecoveryParse() = default;
};

}  // namespace zbe
