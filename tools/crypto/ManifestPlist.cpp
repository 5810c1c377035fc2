#include "tools/crypto/ManifestPlist.h"

#include "platform/FileSystem.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/FileBytes.h"
#include "tools/crypto/PlistNodes.h"

namespace zbe::crypto {

namespace {

// Reads an optional data item; false when present with another type.
bool ReadData(plist_t dict, const char* key, Bytes* out) {
  plist_t node = DictItem(dict, key);
  if (node == nullptr) {
    return true;
  }
  std::optional<ByteView> data = DataValue(node);
  if (!data) {
    return false;
  }
  out->assign(data->begin(), data->end());
  return true;
}

}  // namespace

Result ReadManifestPlist(const std::string& path, ManifestPlistKeys* keys) {
  *keys = ManifestPlistKeys{};
  Bytes data;
  Result rc = ReadFileBytes(path, kMaxManifestPlistSize, &data);
  if (rc != kOk) {
    return rc;
  }
  return ParseManifestPlist(data, keys);
}

Result ParseManifestPlist(ByteView data, ManifestPlistKeys* keys) {
  *keys = ManifestPlistKeys{};
  UniquePlist root = ParsePlist(data);
  if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
    return kMalformed;
  }
  if (plist_t node = DictItem(root.get(), "IsEncrypted"); node != nullptr) {
    std::optional<bool> flag = BoolValue(node);
    // Some writers store the flag as an integer.
    std::optional<uint64_t> number = UintValue(node);
    if (!flag && !number) {
      return kMalformed;
    }
    keys->isEncrypted = flag ? *flag : *number != 0;
  }
  if (!ReadData(root.get(), "BackupKeyBag", &keys->backupKeyBag) ||
      !ReadData(root.get(), "ManifestKey", &keys->manifestKey)) {
    return kMalformed;
  }
  plist_t lockdown = DictItem(root.get(), "Lockdown");
  keys->productVersion = StringValue(DictItem(lockdown, "ProductVersion")).value_or("");
  return kOk;
}

void SetManifestEncryption(plist_t manifest, ByteView keybag, ByteView manifestKey) {
  plist_dict_set_item(manifest, "IsEncrypted", plist_new_bool(1));
  plist_dict_set_item(manifest, "BackupKeyBag",
                      plist_new_data(reinterpret_cast<const char*>(keybag.data()), keybag.size()));
  if (manifestKey.empty()) {
    if (plist_dict_get_item(manifest, "ManifestKey") != nullptr) {
      plist_dict_remove_item(manifest, "ManifestKey");
    }
  } else {
    plist_dict_set_item(
        manifest, "ManifestKey",
        plist_new_data(reinterpret_cast<const char*>(manifestKey.data()), manifestKey.size()));
  }
}

}  // namespace zbe::crypto
