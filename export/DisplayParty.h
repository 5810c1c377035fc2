#pragma once

#include <string>
#include <string_view>

#include "records/Records.h"

namespace zbe {

// How the export and the print name the other party of a message. "Unknown" is the name the
// views give a party without one; a stored name of exactly "Unknown" names nobody.

// The party of a text transcript line and of a print block: contactName + "(" + sender + ")"
// when contactName is neither empty nor "Unknown", else sender alone.
std::string MessageDisplayParty(const MessageRecord& message);

// The same for WhatsApp: senderName + "(" + pushName + ")" when senderName is neither empty nor
// "Unknown", else pushName alone.
std::string WhatsAppDisplayParty(const WhatsAppMessage& message);

// The sender named on a received message's date line in the HTML files: contactName, or sender
// when contactName is empty or "Unknown". The view lives as long as "message".
std::string_view MessageDateLineParty(const MessageRecord& message);

// The same for WhatsApp: senderName, or pushName when senderName is empty or "Unknown".
std::string_view WhatsAppDateLineParty(const WhatsAppMessage& message);

}  // namespace zbe
