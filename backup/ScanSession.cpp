#include "backup/ScanSession.h"

#include "backup/CBackupParser.h"
#include "backup/RecoverySource.h"
#include "records/ResultCodes.h"

namespace zbe {

ScanSession::ScanSession(CBackupParser& parser, ScanObserver* observer)
    : parser_(parser), observer_(observer) {}

ScanSession::~ScanSession() {
  // The parser outlives the session and must not call back into it.
  if (source_ != nullptr) {
    source_->SetProgressCallback(nullptr, nullptr);
  }
}

int32_t ScanSession::OnSourceProgress(void* userData, int32_t progress) {
  auto* session = static_cast<ScanSession*>(userData);
  return session->observer_ != nullptr ? session->observer_->OnProgress(progress) : 0;
}

int32_t ScanSession::Run(const BackupSummary& summary, const std::string& password,
                         const CategorySet& chosen) {
  results_ = ScanResults();
  parser_.SetBackup(summary);
  source_.reset();
  source_ = CreateRecoverySource(kLocalBackupSource, &parser_);
  source_->SetProgressCallback(&ScanSession::OnSourceProgress, this);

  int32_t result = source_->Open(password);
  results_.openResult = result;
  results_.result = result;
  if (observer_ != nullptr) {
    observer_->OnOpened(result);
  }
  if (result == kResultStopped || result == kResultWrongPassword) {
    return result;
  }
  results_.result = ReadCategories(chosen, result);
  return results_.result;
}

void ScanSession::Populate(RecordCategory category, int32_t result) {
  results_.categoryResults[static_cast<size_t>(category)] = result;
  if (observer_ != nullptr) {
    observer_->OnCategoryPopulated(category, results_);
  }
}

int32_t ScanSession::ReadCategories(const CategorySet& chosen, int32_t openResult) {
  using C = RecordCategory;
  ScanResults& r = results_;
  int32_t result = openResult;

  if (chosen.Has(C::kCameraRoll) || chosen.Has(C::kPhotoStream)) {
    result = source_->ReadCameraRoll(r.cameraRoll, r.photoStream);
    if (result == kResultStopped) {
      return result;
    }
    // The operation fills both lists; a category that was not chosen keeps nothing.
    if (chosen.Has(C::kCameraRoll)) {
      Populate(C::kCameraRoll, result);
    } else {
      r.cameraRoll.clear();
    }
    if (chosen.Has(C::kPhotoStream)) {
      Populate(C::kPhotoStream, result);
    } else {
      r.photoStream.clear();
    }
  }
  if (chosen.Has(C::kMessages)) {
    result = source_->ReadMessages(r.messages);
    if (result == kResultStopped) {
      return result;
    }
    r.conversationRows = BuildConversationRows(r.messages);
    Populate(C::kMessages, result);
  }
  if (chosen.Has(C::kMessageAttachments)) {
    result = source_->ReadMessageAttachments(r.messageAttachments);
    if (result == kResultStopped) {
      return result;
    }
    Populate(C::kMessageAttachments, result);
  }
  if (chosen.Has(C::kContacts)) {
    result = source_->ReadContacts(r.contacts);
    if (result == kResultStopped) {
      return result;
    }
    Populate(C::kContacts, result);
  }
  if (chosen.Has(C::kCallHistory)) {
    result = source_->ReadCallHistory(r.calls);
    if (result == kResultStopped) {
      return result;
    }
    Populate(C::kCallHistory, result);
  }
  if (chosen.Has(C::kNotes)) {
    result = source_->ReadNotes(r.notes);
    if (result == kResultStopped) {
      return result;
    }
    Populate(C::kNotes, result);
  }
  if (chosen.Has(C::kAppPhotos) || chosen.Has(C::kAppVideos)) {
    result = source_->ReadAppMedia(r.appMedia);
    if (result == kResultStopped) {
      return result;
    }
    SplitAppMedia(r.appMedia, chosen.Has(C::kAppPhotos) ? &r.appPhotos : nullptr,
                  chosen.Has(C::kAppVideos) ? &r.appVideos : nullptr);
    if (chosen.Has(C::kAppPhotos)) {
      Populate(C::kAppPhotos, result);
    }
    if (chosen.Has(C::kAppVideos)) {
      Populate(C::kAppVideos, result);
    }
  }
  if (chosen.Has(C::kWhatsApp)) {
    result = source_->ReadWhatsApp(r.whatsApp);
    if (result == kResultStopped) {
      return result;
    }
    r.chatRows = BuildChatRows(r.whatsApp);
    Populate(C::kWhatsApp, result);
  }
  if (chosen.Has(C::kWhatsAppAttachments)) {
    result = source_->ReadWhatsAppAttachments(r.whatsAppAttachments);
    if (result == kResultStopped) {
      return result;
    }
    Populate(C::kWhatsAppAttachments, result);
  }
  return result;
}

}  // namespace zbe
