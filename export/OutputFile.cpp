#include "export/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"

namespace zbe {

int32_t CreateOutputFile(const std::string& path, UniqueFd& fd) {
  std::string folder = ParentFolder(path);
  if (!folder.empty()) {
    int32_t result = CreateFolders(folder);
    if (result != 0) {
      return result;
    }
  }
  int opened = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
  for (std::string_view piece : pieces) {
    result = WriteAllBytes(fd.get(), piece);
    if (result != 0) {
      return result;
    }
  }
  return fd.Reset() != 0 ? errno : 0;
}

}  // namespace zbe
