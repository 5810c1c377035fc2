#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// The fields of the "file" column of Manifest.db: a binary property list holding a keyed
// archive (NSKeyedArchiver) of one MBFile object. Every field may be missing.
struct MbFile {
  std::optional<std::string> relativePath;
  std::optional<uint64_t> size;  // recorded size; advisory, the padding gives the true length
  std::optional<uint64_t> mode;  // POSIX mode: 0x8000 file, 0x4000 folder, 0xA000 link
  std::optional<uint64_t> protectionClass;
  std::optional<uint64_t> userId;
  std::optional<uint64_t> groupId;
  std::optional<uint64_t> inode;
  std::optional<uint64_t> birth;  // Unix seconds
  std::optional<uint64_t> lastModified;
  std::optional<uint64_t> lastStatusChange;
  std::optional<uint64_t> flags;
  std::optional<std::string> target;  // link target
  Bytes encryptionKey;                // 44-byte class-prefixed wrapped key; empty when absent

  bool IsRegularFile() const { return mode && (*mode & 0xF000) == 0x8000; }
};

// Reads an archive. Values may be stored inline or as references into "$objects"; strings may
// also be NSString dictionaries ("NS.string"); the key may be inline data or an NSData
// dictionary whose "NS.data" is inline or a reference. Unknown keys are ignored. Returns kOk, or
// kMalformed when "blob" is not a keyed archive whose root object is a dictionary, or when it has
// an EncryptionKey whose data cannot be found.
Result ReadMbFile(ByteView blob, MbFile* file);

// Writes a new archive holding the fields of "file" that are present, laid out as the device
// writes them (strings and the key as referenced objects). Returns kOk or kCryptoFailure.
Result WriteMbFile(const MbFile& file, Bytes* blob);

// Copies the archive "blob" with EncryptionKey set to "encryptionKey" and ProtectionClass to
// "protectionClass"; Size becomes "defaultSize" only when the archive records no size. All other
// keys and objects stay as they are. Returns kOk, kMalformed (as ReadMbFile), kUnsupported when
// the copy would not read back as the original with the new key (libplist cannot write some
// keys and strings that are not UTF-8 as they were read), or kCryptoFailure.
Result SetMbFileEncryption(ByteView blob, ByteView encryptionKey, uint32_t protectionClass,
                           uint64_t defaultSize, Bytes* out);

}  // namespace zbe::crypto
