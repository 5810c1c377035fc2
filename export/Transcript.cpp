#include "export/Transcript.h"

#include "export/TextFile.h"

namespace zbe {
namespace {

constexpr size_t kLabelWidth = 10;
// Written in pieces of about this size: a write per message made a thread of thousands of short
// messages thousands of system calls.
constexpr size_t kFlushBytes = 64 * 1024;

void WriteLine(TextFile& file, std::string_view label, std::string_view value) {
  std::string line(kLabelWidth > label.size() ? kLabelWidth - label.size() : 0, ' ');
  line += label;
  line += ": ";
  line += value;
  line += '\n';
  file.Write(line);
}

}  // namespace

int32_t WriteTranscript(const std::string& path, size_t count,
                        const std::function<TranscriptMessage(size_t)>& message) {
  TextFile file;
  int32_t result = file.Create(path);
  if (result != 0) {
    return result;
  }
  for (size_t i = 0; i < count; ++i) {
    TranscriptMessage m = message(i);
    WriteLine(file, m.sent ? "To" : "From", m.party);
    WriteLine(file, "Data", m.date);
    WriteLine(file, "Content", m.text);
    file.Write("\n");
    if (file.Buffered() >= kFlushBytes && file.Flush() != 0) {
      break;
    }
  }
  return file.Close();
}

}  // namespace zbe
