#pragma once

// Helpers shared by the suites of tools/crypto and tools/decrypt: hex, temporary folders, folder
// snapshots and plain sample backups built in code.

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "tools/crypto/Bytes.h"

namespace zbe::crypto::testing {

Bytes Hex(const std::string& hex);
std::string ToHex(ByteView bytes);
Bytes Range(uint8_t first, size_t count);  // first, first+1, ... (mod 256)
Bytes RandomishBytes(size_t count, uint32_t seed);

// A fresh folder under the system's temporary folder, removed with everything in it.
using TempFolder = zbe::test::TempFolder;

// Every file below a folder (relative path to bytes) plus the modes of files and folders, to
// prove that a run left a folder byte-for-byte unchanged.
struct FolderSnapshot {
  std::map<std::string, Bytes> files;
  std::map<std::string, mode_t> modes;
  bool operator==(const FolderSnapshot&) const = default;
};
FolderSnapshot Snapshot(const std::string& folder);

bool Exists(const std::string& path);  // for real data, which may be absent
Bytes ReadAll(const std::string& path);
void WriteAll(const std::string& path, ByteView data);
std::string ReadText(const std::string& path);
mode_t ModeOf(const std::string& path);  // permission bits only

// One stored file of a plain sample backup.
struct PlainFile {
  std::string domain;
  std::string relativePath;
  Bytes content;
  std::optional<uint32_t> protectionClass;  // recorded in the archive when set
  std::string FileId() const;
};

// Files with the sizes that matter: an empty one, exact multiples of the block size, one above
// the streaming chunk of 1 MiB, and a few ordinary ones.
std::vector<PlainFile> SampleFiles();

// Writes a plain backup into "folder": Info.plist (XML), Manifest.db with Files and Properties
// tables (rows with plain MBFile archives, plus a folder row) and the stored files in two-level
// folders.
void WritePlainDbBackup(const std::string& folder, const std::vector<PlainFile>& files);

// Writes a plain backup with Manifest.mbdb (plus a folder record) and flat stored files.
void WritePlainMbdbBackup(const std::string& folder, const std::vector<PlainFile>& files);

// Rows of a Manifest.db Files table as text for comparisons: fileID|domain|relativePath|flags|
// and the archive's relative path, size and mode ("-" for NULL).
std::vector<std::string> FilesRows(const std::string& dbPath);

}  // namespace zbe::crypto::testing
