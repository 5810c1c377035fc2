#include "export/ChatCsvWriter.h"

#include "export/TextFile.h"

namespace zbe {

void AppendCsvField(std::string& line, std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += value;
    return;
  }
  line += '"';
  for (char c : value) {
    if (c == '"') {
      line += '"';
    }
    line += c;
  }
  line += '"';
}

int32_t WriteChatCsv(const std::string& path, const std::vector<WhatsAppMessage>& chat) {
  TextFile file;
  int32_t result = file.Create(path);
  if (result != 0) {
    return result;
  }
  file.Write("Chats,Name/Phone,Date,Type,Content\n");
  for (const WhatsAppMessage& message : chat) {
    std::string line;
    AppendCsvField(line, message.senderName);
    line += ',';
    AppendCsvField(line, message.pushName);
    line += ',';
    AppendCsvField(line, message.date);
    line += message.isFromMe != 0 ? ",Send," : ",Received,";
    AppendCsvField(line, message.text);
    line += '\n';
    file.Write(line);
    if (file.Flush() != 0) {
      break;
    }
  }
  return file.Close();
}

}  // namespace zbe
