#include "export/ConversationHtml.h"

#include "export/HtmlEscape.h"
#include "export/OutputFile.h"
#include "records/ResultCodes.h"

namespace zbe {

void AppendMessageBubble(std::string& body, bool sent, std::string_view date,
                         std::string_view party, std::string_view text) {
  body += "<div class=\"date\">Date: ";
  AppendHtmlEscaped(body, date);
  body += ' ';
  AppendHtmlEscaped(body, party);
  body += sent ? ":</div>\r\n<div class=\"send_msg\">" : ":</div>\r\n<div class=\"recv_msg\">";
  AppendHtmlEscaped(body, text);
  body += "</div>\r\n";
}

Result WriteConversationHtml(const std::string& path, std::string_view head, std::string_view tail,
                             size_t messageCount,
                             const std::function<void(size_t, std::string&)>& appendMessage,
                             IExportProgress* progress) {
  std::string body;
  bool stopped = false;
  for (size_t i = 0; i < messageCount; ++i) {
    appendMessage(i, body);
    size_t done = i + 1;
    if (done < messageCount && progress != nullptr) {
      auto percent = static_cast<int32_t>(done * 100 / messageCount);
      if (progress->OnFileProgress(percent, 0, path) != 0) {
        stopped = true;
        break;
      }
    }
  }
  if (int32_t error = WriteOutputFile(path, {head, body, tail}); error != 0) {
    if (progress != nullptr) {
      progress->OnFileProgress(100, error, path);
    }
    return Result::System(error);
  }
  if (stopped) {
    return Result::Stopped();
  }
  if (messageCount > 0 && progress != nullptr) {
    progress->OnFileProgress(100, 0, path);
  }
  return Result::Ok();
}

}  // namespace zbe
