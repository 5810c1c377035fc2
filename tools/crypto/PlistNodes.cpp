#include "tools/crypto/PlistNodes.h"

#include <cstdlib>
#include <limits>

#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

namespace {

struct BinBufferDeleter {
  void operator()(char* buffer) const { plist_to_bin_free(buffer); }
};

}  // namespace

UniquePlist ParsePlist(ByteView data) {
  if (data.empty() || data.size() > std::numeric_limits<uint32_t>::max()) {
    return nullptr;
  }
  plist_t node = nullptr;
  plist_from_memory(reinterpret_cast<const char*>(data.data()), static_cast<uint32_t>(data.size()),
                    &node);
  return UniquePlist(node);
}

Result ToBinaryPlist(plist_t node, Bytes* data) {
  data->clear();
  char* raw = nullptr;
  uint32_t length = 0;
  plist_to_bin(node, &raw, &length);
  std::unique_ptr<char, BinBufferDeleter> buffer(raw);
  if (!buffer || length == 0) {
    return kCryptoFailure;
  }
  data->assign(buffer.get(), buffer.get() + length);
  return kOk;
}

std::optional<uint64_t> UintValue(plist_t node) {
  if (node == nullptr || plist_get_node_type(node) != PLIST_UINT) {
    return std::nullopt;
  }
  uint64_t value = 0;
  plist_get_uint_val(node, &value);
  return value;
}

std::optional<bool> BoolValue(plist_t node) {
  if (node == nullptr || plist_get_node_type(node) != PLIST_BOOLEAN) {
    return std::nullopt;
  }
  uint8_t value = 0;
  plist_get_bool_val(node, &value);
  return value != 0;
}

std::optional<std::string> StringValue(plist_t node) {
  if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) {
    return std::nullopt;
  }
  uint64_t length = 0;
  const char* text = plist_get_string_ptr(node, &length);
  if (text == nullptr) {
    return std::string();
  }
  return std::string(text, static_cast<size_t>(length));
}

std::optional<ByteView> DataValue(plist_t node) {
  if (node == nullptr || plist_get_node_type(node) != PLIST_DATA) {
    return std::nullopt;
  }
  uint64_t length = 0;
  const char* data = plist_get_data_ptr(node, &length);
  if (data == nullptr) {
    return ByteView();
  }
  return ByteView(reinterpret_cast<const uint8_t*>(data), static_cast<size_t>(length));
}

plist_t DictItem(plist_t dict, const char* key) {
  if (dict == nullptr || plist_get_node_type(dict) != PLIST_DICT) {
    return nullptr;
  }
  return plist_dict_get_item(dict, key);
}

}  // namespace zbe::crypto
