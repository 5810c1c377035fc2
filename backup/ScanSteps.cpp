#include "backup/ScanSteps.h"

#include "backup/AppMediaSplit.h"
#include "records/ResultCodes.h"

namespace zbe {

const std::array<ScanStep, kReadStepCount>& ScanSteps() {
  using S = IPhoneRecoveryParse;
  using R = ScanResults;
  static const std::array<ScanStep, kReadStepCount> kSteps = {{
      {ReadStep::kCameraRoll,
       [](S& source, R& r) { return source.ReadCameraRoll(r.cameraRoll, r.photoStream); },
       {2, 1},
       {2, 1}},
      {ReadStep::kMessages,
       [](S& source, R& r) {
         int32_t result = source.ReadMessages(r.messages);
         if (result != kResultStopped) {
           r.conversationRows = BuildConversationRows(r.messages);
         }
         return result;
       },
       {},
       {1, 2}},
      {ReadStep::kMessageAttachments,
       [](S& source, R& r) { return source.ReadMessageAttachments(r.messageAttachments); },
       {1, 1},
       {1, 1}},
      {ReadStep::kContacts,
       [](S& source, R& r) { return source.ReadContacts(r.contacts); },
       {},
       {1, 2}},
      {ReadStep::kCallHistory,
       [](S& source, R& r) { return source.ReadCallHistory(r.calls); },
       {},
       {1, 2}},
      {ReadStep::kNotes, [](S& source, R& r) { return source.ReadNotes(r.notes); }, {}, {1, 2}},
      {ReadStep::kAppMedia,
       [](S& source, R& r) {
         int32_t result = source.ReadAppMedia(r.appMedia);
         if (result != kResultStopped) {
           SplitAppMedia(r.appMedia, &r.appPhotos, &r.appVideos);
         }
         return result;
       },
       {2, 1},
       {1, 1}},
      {ReadStep::kWhatsApp,
       [](S& source, R& r) {
         int32_t result = source.ReadWhatsApp(r.whatsApp);
         if (result != kResultStopped) {
           r.chatRows = BuildChatRows(r.whatsApp);
         }
         return result;
       },
       {},
       {1, 1}},
      // The entries share is that of gathering the attachments when the app media were not read.
      {ReadStep::kWhatsAppAttachments,
       [](S& source, R& r) { return source.ReadWhatsAppAttachments(r.whatsAppAttachments); },
       {1, 1},
       {1, 1}},
  }};
  return kSteps;
}

const ScanStep& ScanStepOf(ReadStep step) {
  return ScanSteps()[static_cast<size_t>(step)];
}

}  // namespace zbe
