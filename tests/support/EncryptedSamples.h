#pragma once

// Encrypted sample backups with their plain twins, written by the mkbackup program (which tests
// its --encrypt option on the way), and byte-exact snapshots of folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace zbe::test {

// One kind of encrypted backup.
struct EncryptedKind {
  const char* name;
  bool mbdb;          // Manifest.mbdb with flat stored files, else Manifest.db
  bool legacyKeybag;  // the keybag of devices before iOS 10.2
};

inline void PrintTo(const EncryptedKind& kind, std::ostream* out) {
  *out << kind.name;
}

inline constexpr EncryptedKind kEncryptedKinds[] = {
    {"ManifestDb", false, false},
    {"ManifestDbOlderKeybag", false, true},
    {"Mbdb", true, true},
};

// Writes the sample of "seed" into "plainFolder" and, encrypted with "password" (10 rounds per
// key derivation stage, so that tests stay fast), into "encryptedFolder". Fails the test on error.
inline void WriteEncryptedTwins(const EncryptedKind& kind, const std::string& password,
                                const std::string& plainFolder, const std::string& encryptedFolder,
                                const std::string& seed = "1",
                                const std::vector<std::string>& extraArguments = {}) {
  std::vector<std::string> common = {"--seed", seed, "--layout", kind.mbdb ? "mbdb" : "db"};
  common.insert(common.end(), extraArguments.begin(), extraArguments.end());
  std::vector<std::string> plain = {plainFolder};
  plain.insert(plain.end(), common.begin(), common.end());
  ProgramResult written = RunProgram("mkbackup", plain);
  ASSERT_EQ(written.status, 0) << written.err;
  std::vector<std::string> encrypted = {encryptedFolder, "--encrypt", password, "--iterations",
                                        "10"};
  if (kind.legacyKeybag) {
    encrypted.push_back("--legacy-keybag");
  }
  encrypted.insert(encrypted.end(), common.begin(), common.end());
  written = RunProgram("mkbackup", encrypted);
  ASSERT_EQ(written.status, 0) << written.err;
}

// Every entry below a folder: its bytes (files), its link target (links) or nothing (folders),
// with its mode, to prove that a folder is byte for byte what it was.
using ByteSnapshot = std::map<std::string, std::pair<std::string, unsigned>>;

inline ByteSnapshot SnapshotBytes(const std::string& root) {
  ByteSnapshot snapshot;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string name = std::filesystem::relative(entry.path(), root).string();
    std::string content;
    if (entry.is_symlink()) {
      content = "-> " + std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      content = ReadFile(entry.path());
    }
    snapshot[name] = {content, static_cast<unsigned>(entry.symlink_status().permissions())};
  }
  return snapshot;
}

// The names in "folder" (recursively), sorted; empty when it does not exist.
inline std::vector<std::string> FolderContents(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    names.push_back(std::filesystem::relative(it->path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zbe::test
