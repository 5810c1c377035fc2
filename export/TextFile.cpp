#include "export/TextFile.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "export/OutputFile.h"
#include "platform/FileSystem.h"

namespace zbe {

TextFile::~TextFile() {
  Close();
}

int32_t TextFile::Create(const std::string& path) {
  Close();
  buffer_.clear();
  lastByte_ = '\0';
  error_ = 0;
  UniqueFd fd;
  int32_t result = CreateOutputFile(path, fd);
  if (result != 0) {
    return result;
  }
  // Buffered with the text: a small file is then one write.
  buffer_ = "\xEF\xBB\xBF";
  fd_ = std::move(fd);
  return 0;
}

void TextFile::Write(std::string_view text) {
  if (!fd_.valid()) {
    return;
  }
  if (text.empty()) {
    return;
  }
  // Copied a line at a time; a "\r" goes before each "\n" that has none.
  size_t start = 0;
  for (size_t pos = text.find('\n'); pos != std::string_view::npos;
       pos = text.find('\n', pos + 1)) {
    char before = pos > 0 ? text[pos - 1] : lastByte_;
    buffer_.append(text, start, pos - start);
    if (before != '\r') {
      buffer_ += '\r';
    }
    start = pos;
  }
  buffer_.append(text, start, text.size() - start);
  lastByte_ = text.back();
}

int32_t TextFile::Flush() {
  if (error_ == 0 && fd_.valid() && !buffer_.empty()) {
    error_ = WriteAllBytes(fd_.get(), buffer_);
  }
  buffer_.clear();
  return error_;
}

int32_t TextFile::Close() {
  if (!fd_.valid()) {
    return error_;
  }
  Flush();
  if (fd_.Reset() != 0 && error_ == 0) {
    error_ = errno;
  }
  return error_;
}

}  // namespace zbe
