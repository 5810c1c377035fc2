#pragma once

// A message thread and a WhatsApp group chat that exercise the writers' edge cases: markup in
// record text, a sent message, a party without a name ("Unknown" or empty), a line break, and
// a comma and a quote.

#include <vector>

#include "records/Records.h"

namespace zbe::test {

inline MessageRecord Sms(int32_t isFromMe, std::string date, std::string contactName,
                         std::string sender, std::string text) {
  MessageRecord message;
  message.isFromMe = isFromMe;
  message.handleId = 7;
  message.date = std::move(date);
  message.contactName = std::move(contactName);
  message.sender = std::move(sender);
  message.text = std::move(text);
  return message;
}

inline std::vector<MessageRecord> SampleThread() {
  return {
      Sms(0, "2021-03-04 05:06:07", "Ann Lee", "+15551234", "Hi <script>alert('x')</script> & bye"),
      Sms(1, "2021-03-04 05:07:00", "Ann Lee", "+15551234", "Line one\nLine two"),
      Sms(0, "2021-03-04 05:08:00", "Unknown", "+15550000", "who?"),
  };
}

inline WhatsAppMessage Wa(int32_t isFromMe, std::string date, std::string senderName,
                          std::string pushName, std::string text) {
  WhatsAppMessage message;
  message.isFromMe = isFromMe;
  message.chatId = 3;
  message.date = std::move(date);
  message.senderName = std::move(senderName);
  message.pushName = std::move(pushName);
  message.text = std::move(text);
  message.memberNames = "Ann,Bob";
  message.memberJids = "111@s.whatsapp.net,222@s.whatsapp.net";
  message.chatName = "Trip";
  return message;
}

inline std::vector<WhatsAppMessage> SampleChat() {
  return {
      Wa(0, "2022-01-01 10:00:00", "Ann", "Annie", "See you, \"soon\""),
      Wa(1, "2022-01-01 10:01:00", "Me", "", "Ok\nbye"),
      Wa(0, "2022-01-01 10:02:00", "Unknown", "Stranger", "<b>hi</b>"),
      Wa(0, "2022-01-01 10:03:00", "", "~Zed", "x"),
  };
}

}  // namespace zbe::test
