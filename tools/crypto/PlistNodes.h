#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <plist/plist.h>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

struct PlistDeleter {
  void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
// Owns a libplist tree (a node without parent).
using UniquePlist = std::unique_ptr<void, PlistDeleter>;

// Parses a binary or XML property list. Returns null when "data" is not one.
UniquePlist ParsePlist(ByteView data);

// Writes "node" as a binary property list. Returns kOk or kCryptoFailure.
Result ToBinaryPlist(plist_t node, Bytes* data);

// Typed reads of one node; a null node or one of another type gives nothing. The returned views
// point into the node and live as long as it.
std::optional<uint64_t> UintValue(plist_t node);
std::optional<bool> BoolValue(plist_t node);
std::optional<std::string> StringValue(plist_t node);
std::optional<ByteView> DataValue(plist_t node);

// The item "key" of a dictionary, or null when "dict" is not a dictionary or lacks the key.
plist_t DictItem(plist_t dict, const char* key);

}  // namespace zbe::crypto
