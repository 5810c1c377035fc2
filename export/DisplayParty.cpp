#include "export/DisplayParty.h"

namespace zbe {
namespace {

constexpr std::string_view kUnknown = "Unknown";

bool Names(const std::string& name) {
  return !name.empty() && name != kUnknown;
}

std::string WithAddress(const std::string& name, const std::string& address) {
  return Names(name) ? name + "(" + address + ")" : address;
}

}  // namespace

std::string MessageDisplayParty(const MessageRecord& message) {
  return WithAddress(message.contactName, message.sender);
}

std::string WhatsAppDisplayParty(const WhatsAppMessage& message) {
  return WithAddress(message.senderName, message.pushName);
}

std::string_view MessageDateLineParty(const MessageRecord& message) {
  return Names(message.contactName) ? message.contactName : message.sender;
}

std::string_view WhatsAppDateLineParty(const WhatsAppMessage& message) {
  return Names(message.senderName) ? message.senderName : message.pushName;
}

}  // namespace zbe
