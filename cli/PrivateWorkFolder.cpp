#include "cli/PrivateWorkFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>

namespace zbe::cli {

PrivateWorkFolder::PrivateWorkFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && base[0] == '/' ? base : "/tmp") + "/zbe-work-XXXXXX";
  // mkdtemp creates the folder with mode 0700.
  if (mkdtemp(pattern.data()) == nullptr) {
    error_ = errno;
    return;
  }
  path_ = pattern + "/";
}

PrivateWorkFolder::~PrivateWorkFolder() {
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

}  // namespace zbe::cli
