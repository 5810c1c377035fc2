#pragma once

#include "backup/IPhoneRecoveryParse.h"

namespace zbe {

class CBackupParser;

// The recovery source over a local backup: a thin facade whose operations forward to the
// backup parser it borrows (set by Init). Deleting it never deletes the parser. Before Init,
// operations return 87 (IsBackupSource still answers true).
class CLocalBuckupRecovery final : public IPhoneRecoveryParse {
 public:
  CLocalBuckupRecovery() = default;
  // A source over "parser" from the start, as Init(&parser) would make it.
  explicit CLocalBuckupRecovery(CBackupParser& parser) : parser_(&parser) {}
  CLocalBuckupRecovery(const CLocalBuckupRecovery&) = delete;
  CLocalBuckupRecovery& operator=(const CLocalBuckupRecovery&) = delete;

  int32_t Init(void* context) override;
  int32_t SetProgressCallback(RecoveryProgressCallback callback, void* userData) override;
  int32_t Reserved(void* argument) override;
  bool IsBackupSource(void* argument) override;
  int32_t Open(const std::string& password) override;
  int32_t ReadMessages(MessageThreadMap& threads) override;
  int32_t ReadMessageAttachments(std::vector<AttachmentItem>& attachments) override;
  int32_t ReadContacts(ContactList& contacts) override;
  int32_t ReadNotes(NoteList& notes) override;
  int32_t ReadCallHistory(CallList& calls) override;
  int32_t ReadCameraRoll(std::vector<MediaFileItem>& cameraRoll,
                         std::vector<MediaFileItem>& photoStream) override;
  int32_t ReadWhatsAppAttachments(std::vector<MediaFileItem>& attachments) override;
  int32_t ReadAppMedia(std::vector<AppMediaItem>& media) override;
  int32_t ReadQQChats(WhatsAppThreadMap& chats) override;
  int32_t ReadWeChatChats(WhatsAppThreadMap& chats) override;
  int32_t ReadWhatsApp(WhatsAppThreadMap& chats) override;
  int32_t MakePreviewCopy(const std::string& storedPath, std::string& copyPath,
                          PreviewCopyCallback callback, void* context) override;
  int32_t CopyStoredFile(const std::string& source, const std::string& destination,
                         FileCopyCallback callback, void* context) override;
  int32_t CopyMessagesDatabase(const std::string& destination) override;
  int32_t CopyContactsDatabase(const std::string& destination) override;
  int32_t ExportWhatsAppChatText(int32_t chatKey, const std::string& textFilePath,
                                 RecoveryProgressCallback callback, void* context) override;
  int32_t ExportQQChatText(int32_t accountKey, int32_t friendKey, const std::string& textFilePath,
                           RecoveryProgressCallback callback, void* context) override;
  int32_t ExportWeChatChatText(int32_t accountKey, int32_t friendKey,
                               const std::string& textFilePath, RecoveryProgressCallback callback,
                               void* context) override;
  ~CLocalBuckupRecovery() override = default;

 private:
  CBackupParser* parser_ = nullptr;  // borrowed; owned by the main window
};

}  // namespace zbe
