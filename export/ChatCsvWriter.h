#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/Records.h"

namespace zbe {

// Writes the CSV file of one WhatsApp chat, "chat" being its vector of the WhatsApp map, to
// "path" (its folder first; an existing file is truncated), as a TextFile (byte-order mark,
// CR LF line ends): the header line "Chats,Name/Phone,Date,Type,Content", then one line per
// message with senderName, pushName, date, "Send" or "Received" (by isFromMe) and text, the
// file flushed after each line. Fields are written with AppendCsvField, so a comma, quote or
// line break in a message keeps its columns. Reports no progress. Returns 0, or the errno of
// the create (nothing written) or of a failed write.
int32_t WriteChatCsv(const std::string& path, const std::vector<WhatsAppMessage>& chat);

// Appends "value" to "line" as one CSV field: as it is, or, when it holds a comma, a double
// quote, a CR or a LF, enclosed in double quotes with each double quote doubled.
void AppendCsvField(std::string& line, std::string_view value);

}  // namespace zbe
