#include "export/ChatTextWriter.h"

#include "export/DisplayParty.h"
#include "export/Transcript.h"

namespace zbe {

int32_t WriteChatText(const std::string& path, const std::vector<WhatsAppMessage>& chat) {
  return WriteTranscript(path, chat.size(), [&chat](size_t i) {
    const WhatsAppMessage& message = chat[i];
    return TranscriptMessage{message.isFromMe != 0, WhatsAppDisplayParty(message), message.date,
                             message.text};
  });
}

}  // namespace zbe
