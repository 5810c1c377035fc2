#include "backup/PrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

namespace zbe {

int32_t EnsurePrivateFolder(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  int32_t result = CreateFolders(path, 0700);
  if (result != 0 && result != ENOTDIR) {
    return result;
  }
  // Checked on an open descriptor (O_NOFOLLOW), so that the folder cannot be swapped for a link
  // between the check and the change of mode.
  UniqueFd fd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.valid()) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
      return S_ISLNK(info.st_mode) ? ELOOP : ENOTDIR;
    }
    return errno;
  }
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) {
    return errno;
  }
  if (info.st_uid != geteuid()) {
    return EPERM;
  }
  if ((info.st_mode & 07777) != 0700 && fchmod(fd.get(), 0700) != 0) {
    return errno;
  }
  return 0;
}

void EmptyFolder(const std::string& folder) {
  UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.valid()) {
    return;
  }
  // fdopendir takes over a duplicate, so that "fd" stays usable for unlinkat.
  int listing = fcntl(fd.get(), F_DUPFD_CLOEXEC, 0);
  if (listing < 0) {
    return;
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(fdopendir(listing), closedir);
  if (!dir) {
    close(listing);
    return;
  }
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
  }
  for (const std::string& name : names) {
    // Without AT_REMOVEDIR, unlinkat refuses folders (EISDIR) and removes links themselves.
    unlinkat(fd.get(), name.c_str(), 0);
  }
}

}  // namespace zbe
