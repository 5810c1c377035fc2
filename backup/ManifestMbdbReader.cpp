#include "backup/ManifestMbdbReader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

#include "backup/Sha1.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

// The file is loaded whole; real ones hold some hundred bytes per file of the device, so one
// larger than this is damaged (or a sparse file made to exhaust memory) and is not loaded.
constexpr uint64_t kMaxMbdbBytes = uint64_t{1} << 30;

// Reads big-endian fields from the loaded bytes; every read fails instead of going past the end.
class Cursor {
 public:
  explicit Cursor(std::string_view data, size_t pos) : data_(data), pos_(pos) {}

  bool atEnd() const { return pos_ >= data_.size(); }

  bool Number(int bytes, uint64_t& value) {
    if (data_.size() - pos_ < static_cast<size_t>(bytes)) {
      return false;
    }
    value = 0;
    for (int i = 0; i < bytes; ++i) {
      value = (value << 8) | static_cast<unsigned char>(data_[pos_++]);
    }
    return true;
  }

  bool Skip(int bytes) {
    uint64_t ignored = 0;
    return Number(bytes, ignored);
  }

  // A 16-bit length and that many bytes; the length 0xFFFF stands for an absent string (read
  // as empty) and has no bytes after it.
  bool String(std::string_view& value) {
    uint64_t length = 0;
    if (!Number(2, length)) {
      return false;
    }
    value = {};
    if (length == 0xFFFF) {
      return true;
    }
    if (data_.size() - pos_ < length) {
      return false;
    }
    value = data_.substr(pos_, length);
    pos_ += length;
    return true;
  }

  bool SkipString() {
    std::string_view ignored;
    return String(ignored);
  }

 private:
  std::string_view data_;
  size_t pos_;
};

// Parses one record. Returns false when it runs past the end of the data.
bool ParseRecord(Cursor& cursor, std::string_view& domain, std::string_view& path, uint16_t& mode) {
  uint64_t value = 0;
  uint64_t propertyCount = 0;
  if (!cursor.String(domain) || !cursor.String(path) || !cursor.SkipString() /* link target */ ||
      !cursor.SkipString() /* data hash */ || !cursor.SkipString() /* encryption key */ ||
      !cursor.Number(2, value)) {
    return false;
  }
  mode = static_cast<uint16_t>(value);
  // inode (8), user ID, group ID, modified, accessed, created (4 each), size (8), protection (1)
  if (!cursor.Skip(8) || !cursor.Skip(4) || !cursor.Skip(4) || !cursor.Skip(4) || !cursor.Skip(4) ||
      !cursor.Skip(4) || !cursor.Skip(8) || !cursor.Skip(1) || !cursor.Number(1, propertyCount)) {
    return false;
  }
  for (uint64_t i = 0; i < propertyCount; ++i) {
    if (!cursor.SkipString() || !cursor.SkipString()) {
      return false;
    }
  }
  return true;
}

}  // namespace

Result ParseManifestMbdb(std::string_view data, std::vector<ManifestEntry>& entries) {
  if (data.substr(0, 4) != "mbdb") {
    return kMissingFile;
  }
  // The two bytes after the magic hold the format version, which does not change the records.
  Cursor cursor(data, data.size() < 6 ? data.size() : 6);
  while (!cursor.atEnd()) {
    std::string_view domain;
    std::string_view path;
    uint16_t mode = 0;
    if (!ParseRecord(cursor, domain, path, mode)) {
      break;
    }
    if (domain.empty() || path.empty() || (mode & 0xE000) == 0x4000) {
      continue;
    }
    ManifestEntry entry;
    entry.path.reserve(domain.size() + 1 + path.size());
    entry.path.append(domain).append("-").append(path);
    entry.fileID = Sha1Hex(entry.path);
    entries.push_back(std::move(entry));
  }
  return Result::Ok();
}

Result ReadManifestMbdb(const std::string& path, std::vector<ManifestEntry>& entries) {
  UniqueFd fd;
  struct stat info {};
  if (OpenRegularFile(path, fd) != 0 || fstat(fd.get(), &info) != 0) {
    return kMbdbNotOpenable;
  }
  if (static_cast<uint64_t>(info.st_size) > kMaxMbdbBytes) {
    return kMissingFile;
  }
  std::string data;
  try {
    data.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
      ssize_t got = read(fd.get(), buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        break;
      }
      if (data.size() + static_cast<size_t>(got) > kMaxMbdbBytes) {
        return kMissingFile;  // grew while being read
      }
      data.append(buffer, static_cast<size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    return kMissingFile;
  } catch (const std::length_error&) {
    return kMissingFile;
  }
  return ParseManifestMbdb(data, entries);
}

}  // namespace zbe
