#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/crypto/Bytes.h"

namespace zbe::decrypt {

struct DecryptionSession;

// One stored file as a manifest describes it.
struct StoredFile {
  std::string fileId;
  std::vector<std::string> candidatePaths;  // where it may lie, most likely first
  crypto::ByteView prefixedKey;             // its wrapped key; empty for a file stored plain
  std::optional<uint32_t> classHint;        // the class the record names besides the key
  std::optional<uint64_t> recordedSize;     // the size the record names
};

// Writes the plain content of "file" into the output folder under its file ID and reports a
// problem when that fails or is incomplete: an invalid file ID (nothing written), a missing
// stored file, a key that does not unwrap, a truncated file (nothing written), invalid padding
// (the best-effort plaintext is written, cut to the recorded size). A file without a key is
// copied as it is. A decrypted size that differs from the recorded one is only a warning: the
// padding gives the true length. Does not print progress.
void DecryptStoredFile(const DecryptionSession& session, const StoredFile& file);

}  // namespace zbe::decrypt
