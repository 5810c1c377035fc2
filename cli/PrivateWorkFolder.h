#pragma once

#include <string>

namespace zbe::cli {

// A work folder of zbe's own for one run: a fresh private folder below "base" (by default
// $TMPDIR, or /tmp), removed with its contents at destruction. zbe gives such folders to the
// backup parser instead of the application's work folder and decryption output folder, whose
// preview and decrypted copies the parser would otherwise delete under a running application
// (and which concurrent runs would share). Not copyable.
class PrivateWorkFolder {
 public:
  explicit PrivateWorkFolder(const std::string& base = {});
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
