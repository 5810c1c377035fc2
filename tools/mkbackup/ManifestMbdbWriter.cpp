#include "tools/mkbackup/ManifestMbdbWriter.h"

#include <openssl/evp.h>

#include <cstdint>

namespace zbe::mkbackup {
namespace {

void PutNumber(std::string& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) {
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

void PutString(std::string& out, const std::string& value) {
  PutNumber(out, value.size(), 2);
  out += value;
}

void PutAbsent(std::string& out) {
  PutNumber(out, 0xFFFF, 2);
}

std::string Sha1(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha1(), nullptr);
  return std::string(reinterpret_cast<const char*>(digest), length);
}

}  // namespace

std::string EncodeManifestMbdb(const std::vector<StoredFile>& files) {
  std::string out = "mbdb";
  out += '\x05';
  out += '\x00';
  for (const StoredFile& file : files) {
    PutString(out, file.domain);
    PutString(out, file.relativePath);
    if (file.isLink()) {
      PutString(out, file.linkTarget);
    } else {
      PutAbsent(out);
    }
    if (file.flags() == 1) {
      PutString(out, Sha1(file.contents));
    } else {
      PutAbsent(out);
    }
    if (file.encryptionKey.empty()) {
      PutAbsent(out);
    } else {
      PutString(out, file.encryptionKey);
    }
    PutNumber(out, file.mode, 2);
    PutNumber(out, file.inode, 8);
    PutNumber(out, 501, 4);  // user
    PutNumber(out, 501, 4);  // group
    PutNumber(out, static_cast<uint64_t>(file.modified), 4);
    PutNumber(out, static_cast<uint64_t>(file.modified), 4);  // accessed
    PutNumber(out, static_cast<uint64_t>(file.created), 4);
    PutNumber(out, file.contents.size(), 8);
    PutNumber(out, file.protectionClass, 1);
    PutNumber(out, 0, 1);  // no extended attributes
  }
  return out;
}

}  // namespace zbe::mkbackup
