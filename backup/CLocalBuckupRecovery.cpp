#include "backup/CLocalBuckupRecovery.h"

#include "backup/CBackupParser.h"
#include "records/ResultCodes.h"

namespace zbe {

int32_t CLocalBuckupRecovery::Init(void* context) {
  parser_ = static_cast<CBackupParser*>(context);
  return kResultOk;
}

int32_t CLocalBuckupRecovery::SetProgressCallback(RecoveryProgressCallback callback,
                                                  void* userData) {
  return parser_ ? parser_->SetProgressCallback(callback, userData) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::Reserved(void*) {
  return kResultOk;
}

bool CLocalBuckupRecovery::IsBackupSource(void*) {
  return true;
}

int32_t CLocalBuckupRecovery::Open(const std::string& password) {
  return parser_ ? parser_->Open(password) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadMessages(MessageThreadMap& threads) {
  return parser_ ? parser_->ReadMessages(threads) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadMessageAttachments(std::vector<AttachmentItem>& attachments) {
  return parser_ ? parser_->ReadMessageAttachments(attachments) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadContacts(ContactList& contacts) {
  return parser_ ? parser_->ReadContacts(contacts) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadNotes(NoteList& notes) {
  return parser_ ? parser_->ReadNotes(notes) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadCallHistory(CallList& calls) {
  return parser_ ? parser_->ReadCallHistory(calls) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadCameraRoll(std::vector<MediaFileItem>& cameraRoll,
                                             std::vector<MediaFileItem>& photoStream) {
  return parser_ ? parser_->ReadCameraRoll(cameraRoll, photoStream) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadWhatsAppAttachments(std::vector<MediaFileItem>& attachments) {
  return parser_ ? parser_->ReadWhatsAppAttachments(attachments) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadAppMedia(std::vector<AppMediaItem>& media) {
  return parser_ ? parser_->ReadAppMedia(media) : kResultMissingFile;
}

// A local backup holds no chats of these two kinds; the containers stay untouched.
int32_t CLocalBuckupRecovery::ReadQQChats(WhatsAppThreadMap&) {
  return kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadWeChatChats(WhatsAppThreadMap&) {
  return kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ReadWhatsApp(WhatsAppThreadMap& chats) {
  return parser_ ? parser_->ReadWhatsApp(chats) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::MakePreviewCopy(const std::string& storedPath, std::string& copyPath,
                                              PreviewCopyCallback callback, void* context) {
  return parser_ ? parser_->MakePreviewCopy(storedPath, copyPath, callback, context)
                 : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::CopyStoredFile(const std::string& source,
                                             const std::string& destination,
                                             FileCopyCallback callback, void* context) {
  return parser_ ? parser_->CopyStoredFile(source, destination, callback, context)
                 : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::CopyMessagesDatabase(const std::string& destination) {
  return parser_ ? parser_->CopyMessagesDatabase(destination) : kResultMissingFile;
}

int32_t CLocalBuckupRecovery::CopyContactsDatabase(const std::string& destination) {
  return parser_ ? parser_->CopyContactsDatabase(destination) : kResultMissingFile;
}

// Chat transcripts are written by the export, not by the source; nothing calls these three.
int32_t CLocalBuckupRecovery::ExportWhatsAppChatText(int32_t, const std::string&,
                                                     RecoveryProgressCallback, void*) {
  return kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ExportQQChatText(int32_t, int32_t, const std::string&,
                                               RecoveryProgressCallback, void*) {
  return kResultMissingFile;
}

int32_t CLocalBuckupRecovery::ExportWeChatChatText(int32_t, int32_t, const std::string&,
                                                   RecoveryProgressCallback, void*) {
  return kResultMissingFile;
}

}  // namespace zbe
