#include "tools/crypto/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "tools/crypto/CryptoResult.h"

namespace zbe::crypto {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = other.release();
  }
  return *this;
}

int UniqueFd::reset() {
  if (fd_ < 0) {
    return 0;
  }
  // POSIX leaves the descriptor closed even when close reports EINTR; never retry.
  int rc = ::close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  return rc == EINTR ? 0 : rc;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  if (folder.back() == '/') {
    return folder + name;
  }
  return folder + "/" + name;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int32_t OpenForReading(const std::string& path, UniqueFd* fd) {
  // O_NONBLOCK only for the open itself: a FIFO without a writer then opens at once, and is
  // refused below instead of blocking the tool for ever.
  UniqueFd opened(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!opened) {
    return errno == ENOENT ? kMissingFile : errno;
  }
  struct stat st;
  if (::fstat(opened.get(), &st) != 0) {
    return errno;
  }
  if (!S_ISREG(st.st_mode)) {
    return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  }
  const int flags = ::fcntl(opened.get(), F_GETFL);
  if (flags < 0 || ::fcntl(opened.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return errno;
  }
  *fd = std::move(opened);
  return kOk;
}

int32_t CreateForWriting(const std::string& path, mode_t mode, UniqueFd* fd) {
  int raw = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode);
  if (raw < 0) {
    return errno;
  }
  UniqueFd owned(raw);
  // An existing file keeps its old mode through O_CREAT, and the umask narrows a new one.
  if (::fchmod(raw, mode) != 0) {
    return errno;
  }
  *fd = std::move(owned);
  return kOk;
}

int32_t ReadUpTo(int fd, std::span<uint8_t> buffer, size_t* got) {
  size_t total = 0;
  while (total < buffer.size()) {
    ssize_t n = ::read(fd, buffer.data() + total, buffer.size() - total);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      *got = total;
      return errno;
    }
    if (n == 0) {
      break;
    }
    total += static_cast<size_t>(n);
  }
  *got = total;
  return kOk;
}

int32_t WriteAll(int fd, ByteView data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return kOk;
}

int32_t ReadFileBytes(const std::string& path, size_t maxSize, Bytes* data) {
  data->clear();
  UniqueFd fd;
  int32_t rc = OpenForReading(path, &fd);
  if (rc != kOk) {
    return rc;
  }
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) {
    return errno;
  }
  if (static_cast<uint64_t>(st.st_size) > maxSize) {
    return EFBIG;
  }
  data->resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  rc = ReadUpTo(fd.get(), *data, &got);
  data->resize(got);
  return rc;
}

int32_t WriteFileBytes(const std::string& path, ByteView data, mode_t mode) {
  UniqueFd fd;
  int32_t rc = CreateForWriting(path, mode, &fd);
  if (rc != kOk) {
    return rc;
  }
  rc = WriteAll(fd.get(), data);
  int closeRc = fd.reset();
  if (rc == kOk) {
    rc = closeRc;
  }
  if (rc != kOk) {
    ::unlink(path.c_str());
  }
  return rc;
}

int32_t CopyFile(const std::string& from, const std::string& to, mode_t mode, uint64_t* size) {
  *size = 0;
  UniqueFd in;
  int32_t rc = OpenForReading(from, &in);
  if (rc != kOk) {
    return rc;
  }
  UniqueFd out;
  rc = CreateForWriting(to, mode, &out);
  if (rc != kOk) {
    return rc;
  }
  Bytes chunk(size_t{1} << 20);
  for (;;) {
    size_t got = 0;
    rc = ReadUpTo(in.get(), chunk, &got);
    if (rc != kOk || got == 0) {
      break;
    }
    rc = WriteAll(out.get(), ByteView(chunk.data(), got));
    if (rc != kOk) {
      break;
    }
    *size += got;
  }
  const int closeRc = out.reset();
  if (rc == kOk) {
    rc = closeRc;
  }
  if (rc != kOk) {
    ::unlink(to.c_str());
    *size = 0;
  }
  return rc;
}

int32_t CreateFolders(const std::string& path, mode_t mode) {
  if (path.empty()) {
    return ENOENT;
  }
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    const std::string prefix = path.substr(0, pos);
    if (prefix.empty() || prefix.back() == '/') {
      continue;
    }
    if (::mkdir(prefix.c_str(), mode) == 0) {
      // The umask may have narrowed the mode; private folders must be exactly as asked.
      if (::chmod(prefix.c_str(), mode) != 0) {
        return errno;
      }
      continue;
    }
    if (errno != EEXIST) {
      return errno;
    }
    if (!IsFolder(prefix)) {
      return ENOTDIR;
    }
  }
  return kOk;
}

bool IsSameOrInside(const std::string& inner, const std::string& outer) {
  std::error_code ecInner;
  std::error_code ecOuter;
  std::string a = std::filesystem::weakly_canonical(inner, ecInner).string();
  std::string b = std::filesystem::weakly_canonical(outer, ecOuter).string();
  if (ecInner || ecOuter) {
    // Unresolvable paths count as overlapping: callers use this to refuse writing into a folder.
    return true;
  }
  while (a.size() > 1 && a.back() == '/') {
    a.pop_back();
  }
  while (b.size() > 1 && b.back() == '/') {
    b.pop_back();
  }
  if (a == b || b == "/") {
    return true;
  }
  return a.size() > b.size() && a.compare(0, b.size(), b) == 0 && a[b.size()] == '/';
}

}  // namespace zbe::crypto
