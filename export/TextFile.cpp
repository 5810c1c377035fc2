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
  result = WriteAllBytes(fd.get(), "\xEF\xBB\xBF");
  if (result != 0) {
    return result;
  }
  fd_ = std::move(fd);
  return 0;
}

void TextFile::Write(std::string_view text) {
  if (!fd_.valid()) {
    return;
  }
  for (char c : text) {
    if (c == '\n' && lastByte_ != '\r') {
      buffer_ += '\r';
    }
    buffer_ += c;
    lastByte_ = c;
  }
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
