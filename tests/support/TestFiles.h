#pragma once

// Helpers shared by the suites: temporary folders, environment overrides, whole-file I/O and
// snapshots of a folder tree (to prove that reading a backup changed nothing in it).

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace zbe::test {

// A fresh folder below $TMPDIR (or /tmp), removed with everything in it at destruction.
class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && base[0] == '/' ? base : "/tmp") + "/zbe-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    // Tests make some files read-only; give write access back so that everything goes.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // "name" below the folder.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets (or, with a null value, removes) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Writes "bytes" to "path", creating its folders.
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every entry below a folder with its kind, size and modification time (nanoseconds).
struct EntryState {
  bool isFolder = false;
  uintmax_t size = 0;
  long long modifiedNs = 0;
  bool operator==(const EntryState&) const = default;
};
using FolderSnapshot = std::map<std::string, EntryState>;

inline FolderSnapshot SnapshotFolder(const std::string& root) {
  FolderSnapshot snapshot;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    struct stat info {};
    if (lstat(entry.path().c_str(), &info) != 0) {
      continue;
    }
    EntryState state;
    state.isFolder = S_ISDIR(info.st_mode);
    state.size = state.isFolder ? 0 : static_cast<uintmax_t>(info.st_size);
    state.modifiedNs =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    snapshot[std::filesystem::relative(entry.path(), root).string()] = state;
  }
  return snapshot;
}

}  // namespace zbe::test
