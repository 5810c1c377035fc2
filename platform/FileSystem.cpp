#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/AsciiCase.h"
#include "platform/UniqueFd.h"

namespace zbe {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') {
    return folder + name;
  }
  return folder + "/" + name;
}

std::string ParentFolder(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return {};
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

int32_t ListFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) {
    return errno;
  }
  std::vector<FolderEntry> found;
  while (dirent* entry = readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") {
      continue;
    }
    FolderEntry item{name, false};
    if (entry->d_type == DT_DIR) {
      item.isFolder = true;
    } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      item.isFolder = IsFolder(JoinPath(folder, name));
    }
    found.push_back(std::move(item));
  }
  std::sort(found.begin(), found.end(), [](const FolderEntry& a, const FolderEntry& b) {
    int order = AsciiCaseCompare(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  entries.insert(entries.end(), found.begin(), found.end());
  return 0;
}

int32_t CreateFolders(const std::string& folder, mode_t mode, FolderMode rule) {
  if (folder.empty()) {
    return ENOENT;
  }
  // The folder itself first: most calls make one new folder in one that exists (a system call),
  // or find it there; the parents are looked at only when one of them is missing.
  auto make = [&](const std::string& path) -> int32_t {
    if (mkdir(path.c_str(), mode) == 0) {
      // The umask may have narrowed the mode.
      return rule == FolderMode::kExact && chmod(path.c_str(), mode) != 0 ? errno : 0;
    }
    int32_t error = errno;
    if (error == EEXIST) {
      return IsFolder(path) ? 0 : ENOTDIR;
    }
    return error;
  };
  int32_t error = make(folder);
  if (error != ENOENT) {
    return error;
  }
  size_t end = folder.find_last_not_of('/');
  size_t slash = end == std::string::npos ? std::string::npos : folder.rfind('/', end);
  if (slash == std::string::npos) {
    return ENOENT;
  }
  size_t parentEnd = folder.find_last_not_of('/', slash);
  std::string parent = parentEnd == std::string::npos ? "/" : folder.substr(0, parentEnd + 1);
  if (parent == "/") {
    return ENOENT;
  }
  if (error = CreateFolders(parent, mode, rule); error != 0) {
    return error;
  }
  return make(folder);
}

int32_t OpenRegularFile(const std::string& path, UniqueFd& fd) {
  struct stat info {};
  return OpenRegularFile(path, fd, info);
}

int32_t OpenRegularFile(const std::string& path, UniqueFd& fd, struct stat& info) {
  // O_NONBLOCK so that a FIFO without a writer opens at once, and is refused below. It stays set:
  // it changes nothing for a regular file, and clearing it cost two system calls per file.
  UniqueFd opened(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!opened.valid()) {
    return errno;
  }
  if (fstat(opened.get(), &info) != 0) {
    return errno;
  }
  if (S_ISDIR(info.st_mode)) {
    return EISDIR;
  }
  if (!S_ISREG(info.st_mode)) {
    return EINVAL;
  }
  fd = std::move(opened);
  return 0;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<uint64_t> FileSize(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  return static_cast<uint64_t>(info.st_size);
}

int32_t CopyFileBytes(const std::string& source, const std::string& destination, mode_t mode) {
  UniqueFd in;
  if (int32_t error = OpenRegularFile(source, in); error != 0) {
    return error;
  }
  UniqueFd out(open(destination.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, mode));
  if (!out.valid()) {
    return errno;
  }
  // Truncating only after this check keeps a copy onto itself from emptying the source.
  struct stat inInfo {};
  struct stat outInfo {};
  if (fstat(in.get(), &inInfo) != 0 || fstat(out.get(), &outInfo) != 0) {
    return errno;
  }
  if (inInfo.st_dev == outInfo.st_dev && inInfo.st_ino == outInfo.st_ino) {
    return EINVAL;
  }
  if (S_ISREG(outInfo.st_mode) && ftruncate(out.get(), 0) != 0) {
    return errno;
  }
  auto fail = [&](int error) {
    out.Reset();
    unlink(destination.c_str());
    return error;
  };
  std::vector<char> buffer(65536);
  for (;;) {
    ssize_t got = read(in.get(), buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR)
        continue;
      return fail(errno);
    }
    if (got == 0) {
      break;
    }
    if (int32_t error =
            WriteAllBytes(out.get(), std::string_view(buffer.data(), static_cast<size_t>(got)));
        error != 0) {
      return fail(error);
    }
  }
  if (out.Reset() != 0) {
    int error = errno;
    unlink(destination.c_str());
    return error;
  }
  return 0;
}

int32_t WriteAllBytes(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  size_t size = bytes.size();
  while (size > 0) {
    ssize_t put = write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    data += put;
    size -= static_cast<size_t>(put);
  }
  return 0;
}

int32_t CreateForWriting(const std::string& path, mode_t mode, UniqueFd& fd) {
  UniqueFd created(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
  if (!created.valid()) {
    return errno;
  }
  // An existing file keeps its old mode through O_CREAT, and the umask narrows a new one.
  if (fchmod(created.get(), mode) != 0) {
    return errno;
  }
  fd = std::move(created);
  return 0;
}

int32_t ReadUpTo(int fd, void* buffer, size_t size, size_t& got) {
  got = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (got < size) {
    ssize_t n = read(fd, bytes + got, size - got);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (n == 0) {
      break;
    }
    got += static_cast<size_t>(n);
  }
  return 0;
}

int32_t ReadFileBytes(const std::string& path, size_t maxSize, std::string& data) {
  data.clear();
  UniqueFd fd;
  if (int32_t error = OpenRegularFile(path, fd); error != 0) {
    return error;
  }
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) {
    return errno;
  }
  if (static_cast<uint64_t>(info.st_size) > maxSize) {
    return EFBIG;
  }
  data.resize(static_cast<size_t>(info.st_size));
  size_t got = 0;
  int32_t error = ReadUpTo(fd.get(), data.data(), data.size(), got);
  data.resize(got);
  return error;
}

int32_t WriteFileBytes(const std::string& path, std::string_view data, mode_t mode) {
  UniqueFd fd;
  int32_t error = CreateForWriting(path, mode, fd);
  if (error != 0) {
    return error;
  }
  error = WriteAllBytes(fd.get(), data);
  if (fd.Reset() != 0 && error == 0) {
    error = errno;
  }
  if (error != 0) {
    unlink(path.c_str());
  }
  return error;
}

int32_t RemovePath(const std::string& path) {
  return std::remove(path.c_str()) == 0 ? 0 : errno;
}

int32_t FreeSpace(const std::string& path, uint64_t& bytes) {
  struct statvfs info {};
  if (statvfs(path.c_str(), &info) != 0) {
    return errno;
  }
  bytes = static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
  return 0;
}

}  // namespace zbe
