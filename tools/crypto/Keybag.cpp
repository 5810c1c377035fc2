#include "tools/crypto/Keybag.h"

#include <cstring>
#include <string_view>

#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

namespace {

constexpr size_t kRecordHeaderSize = 8;

uint32_t ReadBe32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void AppendBe32(Bytes* out, uint32_t value) {
  out->push_back(static_cast<uint8_t>(value >> 24));
  out->push_back(static_cast<uint8_t>(value >> 16));
  out->push_back(static_cast<uint8_t>(value >> 8));
  out->push_back(static_cast<uint8_t>(value));
}

bool ReadInteger(ByteView value, std::optional<uint32_t>* out) {
  if (value.size() != 4) {
    return false;
  }
  *out = ReadBe32(value.data());
  return true;
}

void AppendRecord(Bytes* out, std::string_view tag, ByteView value) {
  out->insert(out->end(), tag.begin(), tag.end());
  AppendBe32(out, static_cast<uint32_t>(value.size()));
  out->insert(out->end(), value.begin(), value.end());
}

void AppendInteger(Bytes* out, std::string_view tag, const std::optional<uint32_t>& value) {
  if (value) {
    uint8_t be[4] = {static_cast<uint8_t>(*value >> 24), static_cast<uint8_t>(*value >> 16),
                     static_cast<uint8_t>(*value >> 8), static_cast<uint8_t>(*value)};
    AppendRecord(out, tag, be);
  }
}

void AppendData(Bytes* out, std::string_view tag, const Bytes& value) {
  if (!value.empty()) {
    AppendRecord(out, tag, value);
  }
}

// Takes a record that belongs to a class-key entry. Returns false for a malformed integer.
bool TakeClassRecord(std::string_view tag, ByteView value, KeybagClassKey* entry) {
  if (tag == "CLAS") {
    return ReadInteger(value, &entry->protectionClass);
  }
  if (tag == "WRAP") {
    return ReadInteger(value, &entry->wrapFlags);
  }
  if (tag == "KTYP") {
    return ReadInteger(value, &entry->keyType);
  }
  if (tag == "WPKY") {
    entry->wrappedKey.assign(value.begin(), value.end());
  } else if (tag == "PBKY") {
    entry->publicKey.assign(value.begin(), value.end());
  } else {
    entry->otherRecords.push_back({std::string(tag), Bytes(value.begin(), value.end())});
  }
  return true;
}

bool TakeHeaderRecord(std::string_view tag, ByteView value, Keybag* keybag) {
  if (tag == "VERS") {
    return ReadInteger(value, &keybag->version);
  }
  if (tag == "TYPE") {
    return ReadInteger(value, &keybag->type);
  }
  if (tag == "WRAP") {
    return ReadInteger(value, &keybag->wrap);
  }
  if (tag == "ITER") {
    return ReadInteger(value, &keybag->iterations);
  }
  if (tag == "DPWT") {
    return ReadInteger(value, &keybag->dpWrap);
  }
  if (tag == "DPIC") {
    return ReadInteger(value, &keybag->dpIterations);
  }
  if (tag == "HMCK") {
    keybag->hmck.assign(value.begin(), value.end());
  } else if (tag == "SALT") {
    keybag->salt.assign(value.begin(), value.end());
  } else if (tag == "DPSL") {
    keybag->dpSalt.assign(value.begin(), value.end());
  } else {
    keybag->otherRecords.push_back({std::string(tag), Bytes(value.begin(), value.end())});
  }
  return true;
}

// Tags that always describe the keybag itself, even after the class keys have begun.
bool IsHeaderOnlyTag(std::string_view tag) {
  return tag == "VERS" || tag == "TYPE" || tag == "HMCK" || tag == "SALT" || tag == "ITER" ||
         tag == "DPWT" || tag == "DPIC" || tag == "DPSL";
}

}  // namespace

Result ParseKeybag(ByteView blob, Keybag* keybag) {
  *keybag = Keybag{};
  bool seenUuid = false;
  size_t pos = 0;
  while (blob.size() - pos >= kRecordHeaderSize) {
    const std::string_view tag(reinterpret_cast<const char*>(blob.data() + pos), 4);
    const uint32_t length = ReadBe32(blob.data() + pos + 4);
    pos += kRecordHeaderSize;
    if (length > blob.size() - pos) {
      return kMalformed;
    }
    const ByteView value = blob.subspan(pos, length);
    pos += length;

    bool ok = true;
    if (tag == "UUID") {
      if (!seenUuid) {
        keybag->uuid.assign(value.begin(), value.end());
        seenUuid = true;
      } else {
        keybag->classKeys.emplace_back();
        keybag->classKeys.back().uuid.assign(value.begin(), value.end());
      }
    } else if (!keybag->classKeys.empty() && !IsHeaderOnlyTag(tag)) {
      ok = TakeClassRecord(tag, value, &keybag->classKeys.back());
    } else {
      ok = TakeHeaderRecord(tag, value, keybag);
    }
    if (!ok) {
      return kMalformed;
    }
  }
  return kOk;
}

Bytes SerializeKeybag(const Keybag& keybag) {
  Bytes out;
  AppendInteger(&out, "VERS", keybag.version);
  AppendInteger(&out, "TYPE", keybag.type);
  // Class keys start at the second UUID, so the keybag's own is written even when empty.
  if (!keybag.uuid.empty() || !keybag.classKeys.empty()) {
    AppendRecord(&out, "UUID", keybag.uuid);
  }
  AppendData(&out, "HMCK", keybag.hmck);
  AppendInteger(&out, "WRAP", keybag.wrap);
  AppendData(&out, "SALT", keybag.salt);
  AppendInteger(&out, "ITER", keybag.iterations);
  AppendInteger(&out, "DPWT", keybag.dpWrap);
  AppendInteger(&out, "DPIC", keybag.dpIterations);
  AppendData(&out, "DPSL", keybag.dpSalt);
  for (const KeybagRecord& record : keybag.otherRecords) {
    AppendRecord(&out, record.tag, record.value);
  }
  for (const KeybagClassKey& entry : keybag.classKeys) {
    AppendRecord(&out, "UUID", entry.uuid);
    AppendInteger(&out, "CLAS", entry.protectionClass);
    AppendInteger(&out, "WRAP", entry.wrapFlags);
    AppendInteger(&out, "KTYP", entry.keyType);
    AppendData(&out, "WPKY", entry.wrappedKey);
    AppendData(&out, "PBKY", entry.publicKey);
    for (const KeybagRecord& record : entry.otherRecords) {
      AppendRecord(&out, record.tag, record.value);
    }
  }
  return out;
}

}  // namespace zbe::crypto
