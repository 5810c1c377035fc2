// Reads the skin archive straight from memory: minizip is given file functions that work on
// the program's embedded bytes, so nothing is unpacked to disk.
#include <unzip.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "ui/AttributeValues.h"
#include "ui/SkinSource.h"
#include "ui/UIDefs.h"

namespace zbe {
namespace {

// Upper bound for one member; the skin holds layouts and small images.
constexpr uint64_t kMaxMemberSize = 256ull * 1024 * 1024;

struct MemoryStream {
  const unsigned char* data = nullptr;
  uint64_t size = 0;
  uint64_t pos = 0;
};

voidpf ZCALLBACK MemOpen(voidpf opaque, const void* /*filename*/, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
    return nullptr;
  auto* s = static_cast<MemoryStream*>(opaque);
  s->pos = 0;
  return s;
}

uLong ZCALLBACK MemRead(voidpf /*opaque*/, voidpf stream, void* buf, uLong size) {
  auto* s = static_cast<MemoryStream*>(stream);
  uint64_t left = s->size - std::min(s->pos, s->size);
  uLong n = static_cast<uLong>(std::min<uint64_t>(left, size));
  std::memcpy(buf, s->data + s->pos, n);
  s->pos += n;
  return n;
}

uLong ZCALLBACK MemWrite(voidpf, voidpf, const void*, uLong) {
  return 0;
}

ZPOS64_T ZCALLBACK MemTell(voidpf /*opaque*/, voidpf stream) {
  return static_cast<MemoryStream*>(stream)->pos;
}

long ZCALLBACK MemSeek(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
  auto* s = static_cast<MemoryStream*>(stream);
  uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = s->pos;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = s->size;
      break;
    default:
      return -1;
  }
  if (offset > s->size || base + offset > s->size)
    return -1;
  s->pos = base + offset;
  return 0;
}

int ZCALLBACK MemClose(voidpf, voidpf) {
  return 0;
}
int ZCALLBACK MemError(voidpf, voidpf) {
  return 0;
}

class ZipSkinSource final : public ISkinSource {
 public:
  ZipSkinSource() = default;
  ZipSkinSource(const ZipSkinSource&) = delete;
  ZipSkinSource& operator=(const ZipSkinSource&) = delete;
  ~ZipSkinSource() override {
    if (zip_ != nullptr)
      unzClose(zip_);
  }

  bool Open(std::span<const unsigned char> bytes) {
    stream_.data = bytes.data();
    stream_.size = bytes.size();
    zlib_filefunc64_def io{};
    io.zopen64_file = MemOpen;
    io.zread_file = MemRead;
    io.zwrite_file = MemWrite;
    io.ztell64_file = MemTell;
    io.zseek64_file = MemSeek;
    io.zclose_file = MemClose;
    io.zerror_file = MemError;
    io.opaque = &stream_;
    zip_ = unzOpen2_64("skin.zip", &io);
    return zip_ != nullptr;
  }

  int32_t ReadFile(std::string_view name, std::vector<uint8_t>* out) const override {
    std::string wanted = NormalizeSkinName(name);
    if (wanted.empty())
      return kUIFileMissing;
    std::lock_guard<std::mutex> lock(mutex_);
    // 2: compare without regard to case, as names from layouts were written for a
    // case-insensitive file system.
    if (unzLocateFile(zip_, wanted.c_str(), 2) != UNZ_OK)
      return kUIFileMissing;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
      return 5;
    }
    if (info.uncompressed_size > kMaxMemberSize)
      return 5;
    if (unzOpenCurrentFile(zip_) != UNZ_OK)
      return 5;
    out->assign(static_cast<size_t>(info.uncompressed_size), 0);
    size_t done = 0;
    int32_t result = 0;
    while (done < out->size()) {
      int n =
          unzReadCurrentFile(zip_, out->data() + done,
                             static_cast<unsigned>(std::min<size_t>(out->size() - done, 1 << 20)));
      if (n <= 0) {
        result = 5;
        break;
      }
      done += static_cast<size_t>(n);
    }
    // unzCloseCurrentFile checks the CRC once the whole member has been read.
    if (unzCloseCurrentFile(zip_) != UNZ_OK)
      result = 5;
    if (result != 0)
      out->clear();
    return result;
  }

  std::string Describe() const override { return "embedded skin archive"; }

 private:
  mutable std::mutex mutex_;  // minizip keeps a current-file position per handle
  MemoryStream stream_;
  unzFile zip_ = nullptr;
};

}  // namespace

std::unique_ptr<ISkinSource> OpenSkinZip(std::span<const unsigned char> zip, int32_t* result) {
  auto source = std::make_unique<ZipSkinSource>();
  if (zip.empty() || !source->Open(zip)) {
    *result = 22;
    return nullptr;
  }
  *result = 0;
  return source;
}

}  // namespace zbe
