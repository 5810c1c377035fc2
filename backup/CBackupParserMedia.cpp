// The media reads of CBackupParser: camera roll, attachments, app media, preview copies.

#include "backup/CBackupParser.h"
#include "backup/ResultCodes.h"

namespace zbe {

int32_t CBackupParser::ReadMessageAttachments(std::vector<AttachmentItem>&) {
  // Filled by the media gathering, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadCameraRoll(std::vector<MediaFileItem>&, std::vector<MediaFileItem>&) {
  // Filled by the media gathering, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadWhatsAppAttachments(std::vector<MediaFileItem>&) {
  // Hands out what the media gathering collects, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadAppMedia(std::vector<AppMediaItem>&) {
  // Filled by the media gathering, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::MakePreviewCopy(const std::string&, std::string&, PreviewCopyCallback,
                                       void*) {
  // Needs the file type detection, which is not built yet.
  return kResultMissingFile;
}

}  // namespace zbe
