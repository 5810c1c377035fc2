#include "export/ThreadTextWriter.h"

#include "export/DisplayParty.h"
#include "export/Transcript.h"

namespace zbe {

int32_t WriteThreadText(const std::string& path, const std::vector<MessageRecord>& thread) {
  return WriteTranscript(path, thread.size(), [&thread](size_t i) {
    const MessageRecord& message = thread[i];
    return TranscriptMessage{message.isFromMe != 0, MessageDisplayParty(message), message.date,
                             message.text};
  });
}

}  // namespace zbe
