#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/UniqueFd.h"

namespace zbe {

// Writer of the export's plain-text transcripts and CSV files: UTF-8 with a byte-order mark,
// and every "\n" written as CR LF, the line end that text editors on every desktop accept.
// A "\n" that already follows a "\r" is written as it is, so a value holding CR LF does not
// come out as CR CR LF. Text is buffered until Flush or Close. Not copyable; the file is closed
// (buffered text written first) at destruction.
class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Creates the folder of "path" with its missing parents, then creates "path" (an existing file
  // is truncated; a new one gets mode 0644 before the umask) and buffers the byte-order mark.
  // Returns 0, or the errno of the failing step; then no file is open.
  int32_t Create(const std::string& path);

  // Buffers "text" with its line ends converted. Does nothing unless a file is open.
  void Write(std::string_view text);

  // Bytes buffered and not yet written.
  size_t Buffered() const { return buffer_.size(); }

  // Writes the buffered text to the file. Returns 0, or the errno of the first failed write;
  // after a failure every later Flush and Close returns that errno and writes nothing more.
  int32_t Flush();

  // Flushes and closes the file. Returns 0 or the first errno of a write or of the close (an
  // error the file system reports only at close still reaches the caller).
  int32_t Close();

 private:
  UniqueFd fd_;
  std::string buffer_;    // converted text not yet written
  char lastByte_ = '\0';  // last byte buffered, to see a "\r" before a "\n" across Writes
  int32_t error_ = 0;     // first write error
};

}  // namespace zbe
