#include "tools/crypto/ContentCipher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/FileSystem.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

namespace {

constexpr size_t kKeySize = 32;
constexpr size_t kChunkSize = 1 << 20;
constexpr uint64_t kSqlitePageGranule = 512;
constexpr char kSqliteHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                    'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

Result InitCipher(UniqueCipherCtx* ctx, ByteView key, bool encrypt) {
  if (key.size() != kKeySize) {
    return kBadArgument;
  }
  *ctx = NewCipherCtx();
  if (!*ctx) {
    return kCryptoFailure;
  }
  static const uint8_t kZeroIv[kAesBlockSize] = {};
  if (EVP_CipherInit_ex(ctx->get(), EVP_aes_256_cbc(), nullptr, key.data(), kZeroIv,
                        encrypt ? 1 : 0) != 1) {
    return kCryptoFailure;
  }
  // Decryption checks the padding itself, to tell damaged files apart and to hold the last
  // block back across chunks; encryption lets OpenSSL add the PKCS#7 padding.
  if (!encrypt && EVP_CIPHER_CTX_set_padding(ctx->get(), 0) != 1) {
    return kCryptoFailure;
  }
  return kOk;
}

// Runs "in" through the cipher and appends the output to "out".
Result CipherUpdate(EVP_CIPHER_CTX* ctx, ByteView in, Bytes* out) {
  size_t done = 0;
  while (done < in.size()) {
    const size_t piece = std::min(in.size() - done, kChunkSize);
    const size_t start = out->size();
    out->resize(start + piece + kAesBlockSize);
    int len = 0;
    if (EVP_CipherUpdate(ctx, out->data() + start, &len, in.data() + done,
                         static_cast<int>(piece)) != 1) {
      out->resize(start);
      return kCryptoFailure;
    }
    out->resize(start + static_cast<size_t>(len));
    done += piece;
  }
  return kOk;
}

bool HasValidPadding(const Bytes& block) {
  const uint8_t n = block.back();
  if (n == 0 || n > kAesBlockSize) {
    return false;
  }
  return std::all_of(block.end() - n, block.end(), [n](uint8_t b) { return b == n; });
}

}  // namespace

Result ContentEncryptor::Init(ByteView key) {
  return InitCipher(&ctx_, key, true);
}

Result ContentEncryptor::Update(ByteView plain, Bytes* out) {
  return ctx_ ? CipherUpdate(ctx_.get(), plain, out) : kBadArgument;
}

Result ContentEncryptor::Finish(Bytes* out) {
  if (!ctx_) {
    return kBadArgument;
  }
  const size_t start = out->size();
  out->resize(start + kAesBlockSize);
  int len = 0;
  if (EVP_EncryptFinal_ex(ctx_.get(), out->data() + start, &len) != 1) {
    out->resize(start);
    return kCryptoFailure;
  }
  out->resize(start + static_cast<size_t>(len));
  return kOk;
}

Result ContentDecryptor::Init(ByteView key) {
  held_.clear();
  firstBlock_.clear();
  cipherSize_ = 0;
  return InitCipher(&ctx_, key, false);
}

Result ContentDecryptor::Update(ByteView cipher, Bytes* out) {
  if (!ctx_) {
    return kBadArgument;
  }
  cipherSize_ += cipher.size();
  Result rc = CipherUpdate(ctx_.get(), cipher, &held_);
  if (rc != kOk) {
    return rc;
  }
  if (firstBlock_.empty() && held_.size() >= kAesBlockSize) {
    firstBlock_.assign(held_.begin(), held_.begin() + kAesBlockSize);
  }
  if (held_.size() > kAesBlockSize) {
    const size_t give = held_.size() - kAesBlockSize;
    out->insert(out->end(), held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(give));
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(give));
  }
  return kOk;
}

Result ContentDecryptor::Finish(PaddingRule rule, Bytes* out) {
  if (!ctx_) {
    return kBadArgument;
  }
  if (cipherSize_ % kAesBlockSize != 0) {
    return kTruncated;
  }
  if (held_.empty()) {
    return kOk;
  }
  if (HasValidPadding(held_)) {
    out->insert(out->end(), held_.begin(), held_.end() - held_.back());
    held_.clear();
    return kOk;
  }
  out->insert(out->end(), held_.begin(), held_.end());
  held_.clear();
  const bool sqliteWithoutPadding =
      rule == PaddingRule::kAcceptUnpaddedSqlite && cipherSize_ % kSqlitePageGranule == 0 &&
      firstBlock_.size() == kAesBlockSize &&
      std::memcmp(firstBlock_.data(), kSqliteHeader, kAesBlockSize) == 0;
  return sqliteWithoutPadding ? kOk : kBadPadding;
}

Result EncryptBytes(ByteView plain, ByteView key, Bytes* cipher) {
  cipher->clear();
  ContentEncryptor encryptor;
  Result rc = encryptor.Init(key);
  if (rc == kOk) {
    cipher->reserve(plain.size() + kAesBlockSize);
    rc = encryptor.Update(plain, cipher);
  }
  if (rc == kOk) {
    rc = encryptor.Finish(cipher);
  }
  if (rc != kOk) {
    cipher->clear();
  }
  return rc;
}

Result DecryptBytes(ByteView cipher, ByteView key, PaddingRule rule, Bytes* plain) {
  plain->clear();
  ContentDecryptor decryptor;
  Result rc = decryptor.Init(key);
  if (rc == kOk) {
    plain->reserve(cipher.size());
    rc = decryptor.Update(cipher, plain);
  }
  if (rc == kOk) {
    rc = decryptor.Finish(rule, plain);
  }
  return rc;
}

Result DecryptFile(const std::string& cipherPath, ByteView key, const std::string& plainPath,
                   PaddingRule rule, std::optional<uint64_t> sizeHint, uint64_t* plainSize) {
  *plainSize = 0;
  ContentDecryptor decryptor;
  Result rc = decryptor.Init(key);
  if (rc != kOk) {
    return rc;
  }
  UniqueFd in;
  struct stat st {};
  rc = OpenResult(OpenRegularFile(cipherPath, in, st));
  if (rc != kOk) {
    return rc;
  }
  // Known up front, so no output is created for a file that cannot be whole.
  if (static_cast<uint64_t>(st.st_size) % kAesBlockSize != 0) {
    return kTruncated;
  }
  UniqueFd out;
  rc = Result::System(CreateForWriting(plainPath, 0600, out));
  if (rc != kOk) {
    return rc;
  }
  // Sized to the file: most stored files are a few kilobytes, and a whole chunk zeroed and
  // mapped for each of them was most of the cost of decrypting a backup.
  const size_t chunkSize =
      static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(st.st_size), kChunkSize));
  Bytes chunk(std::max<size_t>(chunkSize, kAesBlockSize));
  Bytes plain;
  plain.reserve(chunk.size() + kAesBlockSize);
  uint64_t written = 0;
  Result finish = kOk;
  for (;;) {
    size_t got = 0;
    rc = Result::System(ReadUpTo(in.get(), chunk.data(), chunk.size(), got));
    if (rc != kOk || got == 0) {
      break;
    }
    plain.clear();
    rc = decryptor.Update(ByteView(chunk.data(), got), &plain);
    if (rc == kOk) {
      rc = Result::System(WriteAllBytes(out.get(), AsText(plain)));
    }
    if (rc != kOk) {
      break;
    }
    written += plain.size();
  }
  if (rc == kOk) {
    plain.clear();
    // A file that grew or shrank while being read is caught here.
    finish = decryptor.Finish(rule, &plain);
    if (finish == kOk || finish == kBadPadding) {
      rc = Result::System(WriteAllBytes(out.get(), AsText(plain)));
      written += plain.size();
    } else {
      rc = finish;
    }
  }
  if (rc == kOk && finish == kBadPadding && sizeHint && *sizeHint < written) {
    if (::ftruncate(out.get(), static_cast<off_t>(*sizeHint)) != 0) {
      rc = Result::System(errno);
    } else {
      written = *sizeHint;
    }
  }
  // A late write error shows only at close; it must not pass for a complete file.
  const int closeError = out.Reset() == 0 ? 0 : errno;
  if (rc == kOk && closeError != 0) {
    rc = Result::System(closeError);
  }
  if (rc != kOk) {
    ::unlink(plainPath.c_str());
    return rc;
  }
  *plainSize = written;
  return finish;
}

Result EncryptFile(const std::string& plainPath, ByteView key, const std::string& cipherPath,
                   mode_t mode, uint64_t* plainSize) {
  *plainSize = 0;
  ContentEncryptor encryptor;
  Result rc = encryptor.Init(key);
  if (rc != kOk) {
    return rc;
  }
  UniqueFd in;
  rc = OpenResult(OpenRegularFile(plainPath, in));
  if (rc != kOk) {
    return rc;
  }
  UniqueFd out;
  rc = Result::System(CreateForWriting(cipherPath, mode, out));
  if (rc != kOk) {
    return rc;
  }
  // Sized to the file, as in DecryptFile.
  struct stat st {};
  uint64_t sizeNow = ::fstat(in.get(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : kChunkSize;
  Bytes chunk(std::max<size_t>(static_cast<size_t>(std::min<uint64_t>(sizeNow, kChunkSize)),
                               kAesBlockSize));
  Bytes cipher;
  cipher.reserve(chunk.size() + kAesBlockSize);
  uint64_t total = 0;
  for (;;) {
    size_t got = 0;
    rc = Result::System(ReadUpTo(in.get(), chunk.data(), chunk.size(), got));
    if (rc != kOk || got == 0) {
      break;
    }
    total += got;
    cipher.clear();
    rc = encryptor.Update(ByteView(chunk.data(), got), &cipher);
    if (rc == kOk) {
      rc = Result::System(WriteAllBytes(out.get(), AsText(cipher)));
    }
    if (rc != kOk) {
      break;
    }
  }
  if (rc == kOk) {
    cipher.clear();
    rc = encryptor.Finish(&cipher);
    if (rc == kOk) {
      rc = Result::System(WriteAllBytes(out.get(), AsText(cipher)));
    }
  }
  // A late write error shows only at close; it must not pass for a complete file.
  const int closeError = out.Reset() == 0 ? 0 : errno;
  if (rc == kOk && closeError != 0) {
    rc = Result::System(closeError);
  }
  if (rc != kOk) {
    ::unlink(cipherPath.c_str());
    return rc;
  }
  *plainSize = total;
  return kOk;
}

}  // namespace zbe::crypto
