// The media reads of CBackupParser: camera roll, attachments, app media, preview copies. The
// walks themselves live in the *Gathering files; here they meet the parser's state.

#include "backup/AppMediaGathering.h"
#include "backup/AttachmentGathering.h"
#include "backup/CBackupParser.h"
#include "backup/CameraRollGathering.h"
#include "backup/PreviewCopy.h"
#include "backup/ScanSteps.h"
#include "records/ResultCodes.h"

namespace zbe {

MediaWalk CBackupParser::MakeMediaWalk(ReadStep step) {
  const ScanStep& shares = ScanStepOf(step);
  return MediaWalk{manifest_,
                   backupFolder_,
                   LayoutFor(selectedBackup_.encrypted, usesManifestDb_),
                   progressCallback_,
                   progressUserData_,
                   runningProgress_,
                   shares.entries.Of(stepWeight_),
                   shares.end.Of(stepWeight_)};
}

int32_t CBackupParser::EndShare(ReadStep step) const {
  return ScanStepOf(step).end.Of(stepWeight_);
}

int32_t CBackupParser::ReadMessageAttachments(std::vector<AttachmentItem>& attachments) {
  return GatherMessageAttachments(MakeMediaWalk(ReadStep::kMessageAttachments), attachments).code();
}

int32_t CBackupParser::ReadCameraRoll(std::vector<MediaFileItem>& cameraRoll,
                                      std::vector<MediaFileItem>& photoStream) {
  return GatherCameraRoll(MakeMediaWalk(ReadStep::kCameraRoll), cameraRoll, photoStream).code();
}

int32_t CBackupParser::ReadAppMedia(std::vector<AppMediaItem>& media) {
  Result result = GatherAppMedia(MakeMediaWalk(ReadStep::kAppMedia), media, whatsAppAttachments_);
  whatsAppAttachmentsGathered_ = result.ok();
  return result.code();
}

int32_t CBackupParser::ReadWhatsAppAttachments(std::vector<MediaFileItem>& attachments) {
  MediaWalk walk = MakeMediaWalk(ReadStep::kWhatsAppAttachments);
  // A scan that did not read the app media would otherwise hand out nothing, or the attachments
  // of the backup scanned before: gather them for this backup now.
  if (!whatsAppAttachmentsGathered_) {
    if (Result gathered = GatherWhatsAppAttachments(walk, whatsAppAttachments_); !gathered.ok()) {
      return gathered.code();
    }
    whatsAppAttachmentsGathered_ = true;
  }
  attachments.insert(attachments.end(), whatsAppAttachments_.begin(), whatsAppAttachments_.end());
  return walk.Finish(walk.endShare);
}

int32_t CBackupParser::MakePreviewCopy(const std::string& storedPath, std::string& copyPath,
                                       PreviewCopyCallback callback, void* context) const {
  return zbe::MakePreviewCopy(workFolder_, storedPath, copyPath, callback, context).code();
}

}  // namespace zbe
