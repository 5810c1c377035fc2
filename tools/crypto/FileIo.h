#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

#include "tools/crypto/Bytes.h"

namespace zbe::crypto {

// Owns a file descriptor. No copying.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { reset(); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes the descriptor. Returns 0, or the errno of a failed close (a late write error).
  int reset();

 private:
  int fd_ = -1;
};

// "folder" + "/" + "name", without doubling a trailing "/".
std::string JoinPath(const std::string& folder, const std::string& name);

bool IsRegularFile(const std::string& path);
bool IsFolder(const std::string& path);

// Opens an existing regular file (links followed) read-only. A FIFO, socket, device or folder in
// its place is refused without waiting (a FIFO would block a reader for ever). Returns kOk,
// kMissingFile when it does not exist, EISDIR for a folder, EINVAL for another kind of file, or
// errno.
int32_t OpenForReading(const std::string& path, UniqueFd* fd);

// Creates "path" (or empties an existing file) for writing and gives it exactly "mode". A
// symbolic link at "path" is refused (ELOOP), so output cannot be redirected elsewhere.
// Returns kOk or errno.
int32_t CreateForWriting(const std::string& path, mode_t mode, UniqueFd* fd);

// Reads until "buffer" is full or the file ends; "got" is the number of bytes read. Returns kOk
// or errno.
int32_t ReadUpTo(int fd, std::span<uint8_t> buffer, size_t* got);

// Writes all of "data". Returns kOk or errno.
int32_t WriteAll(int fd, ByteView data);

// Reads a whole regular file of at most "maxSize" bytes. Returns kOk, kMissingFile, EFBIG when
// the file is larger, or an errno (as OpenForReading for what is no regular file).
int32_t ReadFileBytes(const std::string& path, size_t maxSize, Bytes* data);

// Writes "data" as the whole of "path" with "mode" (CreateForWriting). On failure the partial
// file is removed. Returns kOk or errno.
int32_t WriteFileBytes(const std::string& path, ByteView data, mode_t mode);

// Copies the file "from" to "to" (CreateForWriting with "mode"), streaming. Returns kOk and sets
// "size"; kMissingFile; or errno (a partial "to" is removed).
int32_t CopyFile(const std::string& from, const std::string& to, mode_t mode, uint64_t* size);

// Creates "path" and its missing parents; folders it creates get "mode". Returns kOk, ENOTDIR
// when "path" or a parent exists but is not a folder, or errno.
int32_t CreateFolders(const std::string& path, mode_t mode);

// True when "inner" is "outer" itself or lies inside it, comparing paths with symbolic links,
// "." and ".." resolved as far as they exist. Also true when either path cannot be resolved, so
// that a caller refusing to write into "outer" errs on the safe side.
bool IsSameOrInside(const std::string& inner, const std::string& outer);

}  // namespace zbe::crypto
