#pragma once

#include <unistd.h>

#include <utility>

namespace zbe {

// Owns one file descriptor and closes it on destruction. Movable, not copyable.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Reset(); }

  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset(std::exchange(other.fd_, -1));
    }
    return *this;
  }

  int get() const { return fd_; }
  // Gives the descriptor up without closing it (to an owner such as a FILE*) and returns it.
  [[nodiscard]] int Release() { return std::exchange(fd_, -1); }
  bool valid() const { return fd_ >= 0; }

  // Closes the descriptor held so far and takes "fd". Returns the result of close() (0 when
  // nothing was held), which matters for files that were written.
  int Reset(int fd = -1) {
    int result = 0;
    if (fd_ >= 0) {
      result = ::close(fd_);
    }
    fd_ = fd;
    return result;
  }

 private:
  int fd_ = -1;
};

}  // namespace zbe
