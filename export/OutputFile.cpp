#include "export/OutputFile.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/FileSystem.h"

namespace zbe {

int32_t CreateOutputFile(const std::string& path, UniqueFd& fd) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
  // Most files of an export go into a folder that is already there: try the file first, and
  // make the folders only when it cannot be created without them.
  int opened = open(path.c_str(), kFlags, 0644);
  if (opened < 0 && errno == ENOENT) {
    std::string folder = ParentFolder(path);
    if (!folder.empty()) {
      int32_t result = CreateFolders(folder);
      if (result != 0) {
        return result;
      }
    }
    opened = open(path.c_str(), kFlags, 0644);
  }
  if (opened < 0) {
    return errno;
  }
  fd.Reset(opened);
  return 0;
}

int32_t WriteOutputFile(const std::string& path, std::initializer_list<std::string_view> pieces) {
  UniqueFd fd;
  int32_t result = CreateOutputFile(path, fd);
  if (result != 0) {
    return result;
  }
  // One system call for all pieces where the system takes them whole; an export writes tens of
  // thousands of these files.
  std::vector<iovec> parts;
  parts.reserve(pieces.size());
  size_t total = 0;
  for (std::string_view piece : pieces) {
    parts.push_back(iovec{const_cast<char*>(piece.data()), piece.size()});
    total += piece.size();
  }
  ssize_t put = 0;
  do {
    put = writev(fd.get(), parts.data(), static_cast<int>(parts.size()));
  } while (put < 0 && errno == EINTR);
  if (put < 0) {
    return errno;
  }
  if (static_cast<size_t>(put) < total) {
    // A short write: the rest piece by piece.
    auto written = static_cast<size_t>(put);
    for (std::string_view piece : pieces) {
      size_t skip = std::min(written, piece.size());
      written -= skip;
      if (result = WriteAllBytes(fd.get(), piece.substr(skip)); result != 0) {
        return result;
      }
    }
  }
  return fd.Reset() != 0 ? errno : 0;
}

}  // namespace zbe
