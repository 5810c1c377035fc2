#include "tools/mkbackup/EncryptedWriter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tools/crypto/BackupEncryptor.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::mkbackup {
namespace {

// A folder of its own below $TMPDIR (or /tmp), private to the user (mkdtemp makes it 0700), and
// removed with everything in it when the object goes.
class PrivateTempFolder {
 public:
  PrivateTempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && base[0] == '/' ? base : "/tmp") + "/mkbackup-plain-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    } else {
      error_ = errno;
    }
  }
  ~PrivateTempFolder() {
    if (!path_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(path_, ignored);
    }
  }
  PrivateTempFolder(const PrivateTempFolder&) = delete;
  PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

  const std::string& path() const { return path_; }
  int error() const { return error_; }

 private:
  std::string path_;
  int error_ = 0;
};

}  // namespace

int32_t WriteEncryptedBackup(const SampleBackup& backup, const std::string& outDir,
                             const WriteOptions& options, const EncryptionSettings& settings,
                             std::string& error) {
  PrivateTempFolder temp;
  if (temp.path().empty()) {
    error = std::string("cannot create a temporary folder: ") + std::strerror(temp.error());
    return temp.error();
  }
  const std::string plain = temp.path() + "/plain";
  int32_t result = WriteBackup(backup, plain, options, error);
  if (result != 0) {
    return result;
  }
  crypto::EncryptOptions encrypt;
  encrypt.keybagKind =
      settings.legacyKeybag ? crypto::KeybagKind::kLegacy : crypto::KeybagKind::kModern;
  if (settings.iterations) {
    encrypt.iterations = *settings.iterations;
    encrypt.dpIterations = *settings.iterations;
  }
  crypto::EncryptReport report;
  Result encrypted =
      crypto::EncryptBackupFolder(plain, outDir, settings.password, encrypt, &report);
  if (encrypted != crypto::kOk) {
    error = "cannot encrypt the backup into " + outDir + ": " + encrypted.Text();
    if (encrypted == Result::System(EEXIST)) {
      error = outDir + " is not empty; a sample backup is only written into an empty folder";
    }
    return encrypted.code();
  }
  return 0;
}

}  // namespace zbe::mkbackup
