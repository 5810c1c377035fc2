#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// One record of the binary manifest "Manifest.mbdb". Strings are raw bytes (not always UTF-8);
// an empty optional is the absent string (length 0xFFFF). All integers are big-endian on disk.
struct MbdbRecord {
  std::optional<std::string> domain;
  std::optional<std::string> path;  // relative to the domain
  std::optional<std::string> linkTarget;
  std::optional<std::string> dataHash;
  // Absent for unencrypted files; otherwise the 44-byte class-prefixed wrapped key.
  std::optional<std::string> encryptionKey;
  uint16_t mode = 0;  // file type in the top 4 bits: 0x8000 file, 0x4000 folder, 0xA000 link
  uint64_t inode = 0;
  uint32_t userId = 0;
  uint32_t groupId = 0;
  uint32_t lastModified = 0;
  uint32_t lastStatusChange = 0;
  uint32_t birth = 0;
  uint64_t size = 0;
  uint8_t protectionClass = 0;
  std::vector<std::pair<std::optional<std::string>, std::optional<std::string>>> properties;

  bool IsRegularFile() const { return (mode & 0xF000) == 0x8000; }
};

// Parses a whole binary manifest: the 6-byte header "mbdb" 05 00, then records up to the end.
// Stops at a record that runs past the end of the data, keeps the records before it and sets
// "truncated". Returns kOk, or kMalformed when the data does not begin with "mbdb".
Result ParseMbdb(ByteView data, std::vector<MbdbRecord>* records, bool* truncated);

// Writes the header and "records". Returns kOk, or kBadArgument when a string is 0xFFFF bytes or
// longer (it cannot be stored).
Result SerializeMbdb(const std::vector<MbdbRecord>& records, Bytes* data);

}  // namespace zbe::crypto
