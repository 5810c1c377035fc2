#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Records.h"

namespace zbe {

// Writes the text transcript (Transcript.h) of one WhatsApp chat, "chat" being its vector of
// the WhatsApp map, to "path"; each message's party is WhatsAppDisplayParty. Reports no
// progress. Returns 0, or the errno of the create (nothing written) or of a failed write.
int32_t WriteChatText(const std::string& path, const std::vector<WhatsAppMessage>& chat);

}  // namespace zbe
