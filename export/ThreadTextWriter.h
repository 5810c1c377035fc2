#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Records.h"

namespace zbe {

// Writes the text transcript (Transcript.h) of one message thread, "thread" being its vector
// of the thread map, to "path"; each message's party is MessageDisplayParty. Reports no
// progress. Returns 0, or the errno of the create (nothing written) or of a failed write.
int32_t WriteThreadText(const std::string& path, const std::vector<MessageRecord>& thread);

}  // namespace zbe
