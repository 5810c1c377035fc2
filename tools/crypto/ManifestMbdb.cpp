#include "tools/crypto/ManifestMbdb.h"

#include <cstring>

#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

namespace {

constexpr uint8_t kHeader[6] = {'m', 'b', 'd', 'b', 5, 0};
constexpr uint16_t kAbsent = 0xFFFF;

// Reads big-endian fields and strings, failing (and staying failed) past the end.
class Reader {
 public:
  explicit Reader(ByteView data, size_t pos) : data_(data), pos_(pos) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }

  uint64_t Number(size_t width) {
    if (!ok_ || data_.size() - pos_ < width) {
      ok_ = false;
      return 0;
    }
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
      value = (value << 8) | data_[pos_ + i];
    }
    pos_ += width;
    return value;
  }

  std::optional<std::string> String() {
    const uint16_t length = static_cast<uint16_t>(Number(2));
    if (!ok_ || length == kAbsent) {
      return std::nullopt;
    }
    if (data_.size() - pos_ < length) {
      ok_ = false;
      return std::nullopt;
    }
    std::string value(reinterpret_cast<const char*>(data_.data() + pos_), length);
    pos_ += length;
    return value;
  }

 private:
  ByteView data_;
  size_t pos_;
  bool ok_ = true;
};

void AppendNumber(Bytes* out, uint64_t value, size_t width) {
  for (size_t i = width; i-- > 0;) {
    out->push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

bool AppendString(Bytes* out, const std::optional<std::string>& value) {
  if (!value) {
    AppendNumber(out, kAbsent, 2);
    return true;
  }
  if (value->size() >= kAbsent) {
    return false;
  }
  AppendNumber(out, value->size(), 2);
  out->insert(out->end(), value->begin(), value->end());
  return true;
}

}  // namespace

Result ParseMbdb(ByteView data, std::vector<MbdbRecord>* records, bool* truncated) {
  records->clear();
  *truncated = false;
  if (data.size() < 4 || std::memcmp(data.data(), kHeader, 4) != 0) {
    return kMalformed;
  }
  size_t pos = sizeof(kHeader);
  while (pos < data.size()) {
    Reader in(data, pos);
    MbdbRecord r;
    r.domain = in.String();
    r.path = in.String();
    r.linkTarget = in.String();
    r.dataHash = in.String();
    r.encryptionKey = in.String();
    r.mode = static_cast<uint16_t>(in.Number(2));
    r.inode = in.Number(8);
    r.userId = static_cast<uint32_t>(in.Number(4));
    r.groupId = static_cast<uint32_t>(in.Number(4));
    r.lastModified = static_cast<uint32_t>(in.Number(4));
    r.lastStatusChange = static_cast<uint32_t>(in.Number(4));
    r.birth = static_cast<uint32_t>(in.Number(4));
    r.size = in.Number(8);
    r.protectionClass = static_cast<uint8_t>(in.Number(1));
    const size_t propertyCount = static_cast<size_t>(in.Number(1));
    for (size_t i = 0; i < propertyCount && in.ok(); ++i) {
      auto name = in.String();
      auto value = in.String();
      r.properties.emplace_back(std::move(name), std::move(value));
    }
    if (!in.ok()) {
      *truncated = true;
      break;
    }
    records->push_back(std::move(r));
    pos = in.pos();
  }
  return kOk;
}

Result SerializeMbdb(const std::vector<MbdbRecord>& records, Bytes* data) {
  data->assign(std::begin(kHeader), std::end(kHeader));
  for (const MbdbRecord& r : records) {
    bool ok = AppendString(data, r.domain) && AppendString(data, r.path) &&
              AppendString(data, r.linkTarget) && AppendString(data, r.dataHash) &&
              AppendString(data, r.encryptionKey);
    if (!ok || r.properties.size() > 0xFF) {
      data->clear();
      return kBadArgument;
    }
    AppendNumber(data, r.mode, 2);
    AppendNumber(data, r.inode, 8);
    AppendNumber(data, r.userId, 4);
    AppendNumber(data, r.groupId, 4);
    AppendNumber(data, r.lastModified, 4);
    AppendNumber(data, r.lastStatusChange, 4);
    AppendNumber(data, r.birth, 4);
    AppendNumber(data, r.size, 8);
    AppendNumber(data, r.protectionClass, 1);
    AppendNumber(data, r.properties.size(), 1);
    for (const auto& [name, value] : r.properties) {
      if (!AppendString(data, name) || !AppendString(data, value)) {
        data->clear();
        return kBadArgument;
      }
    }
  }
  return kOk;
}

}  // namespace zbe::crypto
