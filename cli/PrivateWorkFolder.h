#pragma once

#include <string>

namespace zbe::cli {

// A work folder of zbe's own for one run: a fresh private folder below $TMPDIR (or /tmp),
// removed with its contents at destruction. zbe gives it to the backup parser instead of the
// application's work folder, whose preview copies the parser would otherwise delete under a
// running application (and which concurrent runs would share). Not copyable.
class PrivateWorkFolder {
 public:
  PrivateWorkFolder();
  ~PrivateWorkFolder();
  PrivateWorkFolder(const PrivateWorkFolder&) = delete;
  PrivateWorkFolder& operator=(const PrivateWorkFolder&) = delete;

  // The folder with a trailing "/", or "" when it could not be created (see error()).
  const std::string& path() const { return path_; }
  // The errno of the failed creation, 0 after success.
  int error() const { return error_; }

 private:
  std::string path_;
  int error_ = 0;
};

}  // namespace zbe::cli
