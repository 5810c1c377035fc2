#include "export/DisplayParty.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

MessageRecord Message(std::string contactName, std::string sender) {
  MessageRecord message;
  message.contactName = std::move(contactName);
  message.sender = std::move(sender);
  return message;
}

WhatsAppMessage Chat(std::string senderName, std::string pushName) {
  WhatsAppMessage message;
  message.senderName = std::move(senderName);
  message.pushName = std::move(pushName);
  return message;
}

TEST(DisplayParty, NamesAMessagePartyWithItsAddressInParentheses) {
  EXPECT_EQ(MessageDisplayParty(Message("Ann", "+1555")), "Ann(+1555)");
  EXPECT_EQ(MessageDisplayParty(Message("Ann", "")), "Ann()");
  EXPECT_EQ(MessageDisplayParty(Message("", "+1555")), "+1555");
  EXPECT_EQ(MessageDisplayParty(Message("Unknown", "+1555")), "+1555");
  // Only the exact text names nobody.
  EXPECT_EQ(MessageDisplayParty(Message("unknown", "+1555")), "unknown(+1555)");
}

TEST(DisplayParty, NamesAWhatsAppPartyWithItsPushName) {
  EXPECT_EQ(WhatsAppDisplayParty(Chat("Ann", "Annie")), "Ann(Annie)");
  EXPECT_EQ(WhatsAppDisplayParty(Chat("", "Annie")), "Annie");
  EXPECT_EQ(WhatsAppDisplayParty(Chat("Unknown", "Annie")), "Annie");
  EXPECT_EQ(WhatsAppDisplayParty(Chat("Me", "")), "Me()");
}

TEST(DisplayParty, DateLinesNameTheContactOrElseTheAddress) {
  EXPECT_EQ(MessageDateLineParty(Message("Ann", "+1555")), "Ann");
  EXPECT_EQ(MessageDateLineParty(Message("", "+1555")), "+1555");
  EXPECT_EQ(MessageDateLineParty(Message("Unknown", "+1555")), "+1555");
  EXPECT_EQ(WhatsAppDateLineParty(Chat("Ann", "Annie")), "Ann");
  EXPECT_EQ(WhatsAppDateLineParty(Chat("", "Annie")), "Annie");
  EXPECT_EQ(WhatsAppDateLineParty(Chat("Unknown", "Annie")), "Annie");
}

}  // namespace
}  // namespace zbe
