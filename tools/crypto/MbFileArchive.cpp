#include "tools/crypto/MbFileArchive.h"

#include <initializer_list>

#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/PlistNodes.h"

namespace zbe::crypto {

namespace {

constexpr uint64_t kArchiveVersion = 100000;

// A parsed archive with its object table and root object.
struct Archive {
  UniquePlist tree;
  plist_t objects = nullptr;  // "$objects" array
  plist_t root = nullptr;     // the MBFile dictionary
};

plist_t ObjectAt(plist_t objects, uint64_t index) {
  if (index >= plist_array_get_size(objects)) {
    return nullptr;
  }
  return plist_array_get_item(objects, static_cast<uint32_t>(index));
}

// Follows a reference into "$objects"; other nodes stand for themselves. Index 0 is "$null".
plist_t Resolve(plist_t objects, plist_t node) {
  if (node == nullptr || plist_get_node_type(node) != PLIST_UID) {
    return node;
  }
  uint64_t index = 0;
  plist_get_uid_val(node, &index);
  return index == 0 ? nullptr : ObjectAt(objects, index);
}

Result OpenArchive(ByteView blob, Archive* archive) {
  archive->tree = ParsePlist(blob);
  plist_t top = archive->tree.get();
  archive->objects = DictItem(top, "$objects");
  if (archive->objects == nullptr || plist_get_node_type(archive->objects) != PLIST_ARRAY) {
    return kMalformed;
  }
  plist_t rootRef = DictItem(DictItem(top, "$top"), "root");
  // Archives without "$top" put the root object first after "$null".
  archive->root =
      rootRef != nullptr ? Resolve(archive->objects, rootRef) : ObjectAt(archive->objects, 1);
  if (archive->root == nullptr || plist_get_node_type(archive->root) != PLIST_DICT) {
    return kMalformed;
  }
  return kOk;
}

std::optional<uint64_t> ReadUint(const Archive& a, const char* key) {
  return UintValue(Resolve(a.objects, DictItem(a.root, key)));
}

std::optional<std::string> ReadString(const Archive& a, const char* key) {
  plist_t node = Resolve(a.objects, DictItem(a.root, key));
  if (std::optional<std::string> text = StringValue(node)) {
    return text;
  }
  return StringValue(Resolve(a.objects, DictItem(node, "NS.string")));
}

Bytes ReadKey(const Archive& a) {
  plist_t node = Resolve(a.objects, DictItem(a.root, "EncryptionKey"));
  std::optional<ByteView> data = DataValue(node);
  if (!data) {
    data = DataValue(Resolve(a.objects, DictItem(node, "NS.data")));
  }
  return data ? Bytes(data->begin(), data->end()) : Bytes();
}

plist_t NewData(ByteView bytes) {
  return plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Appends "node" to the object table and returns its index.
uint64_t AddObject(plist_t objects, plist_t node) {
  plist_array_append_item(objects, node);
  return plist_array_get_size(objects) - 1;
}

uint64_t AddClass(plist_t objects, const char* name, std::initializer_list<const char*> chain) {
  plist_t cls = plist_new_dict();
  plist_t classes = plist_new_array();
  for (const char* c : chain) {
    plist_array_append_item(classes, plist_new_string(c));
  }
  plist_dict_set_item(cls, "$classes", classes);
  plist_dict_set_item(cls, "$classname", plist_new_string(name));
  return AddObject(objects, cls);
}

// Index of the class descriptor named "name", adding one when the archive has none.
uint64_t FindOrAddClass(plist_t objects, const char* name,
                        std::initializer_list<const char*> chain) {
  const uint32_t count = plist_array_get_size(objects);
  for (uint32_t i = 1; i < count; ++i) {
    if (StringValue(DictItem(plist_array_get_item(objects, i), "$classname")) == name) {
      return i;
    }
  }
  return AddClass(objects, name, chain);
}

// Adds an NSMutableData object holding "key" and returns its index.
uint64_t AddKeyObject(plist_t objects, ByteView key) {
  const uint64_t dataClass =
      FindOrAddClass(objects, "NSMutableData", {"NSMutableData", "NSData", "NSObject"});
  plist_t holder = plist_new_dict();
  plist_dict_set_item(holder, "NS.data", NewData(key));
  plist_dict_set_item(holder, "$class", plist_new_uid(dataClass));
  return AddObject(objects, holder);
}

void SetUint(plist_t dict, const char* key, const std::optional<uint64_t>& value) {
  if (value) {
    plist_dict_set_item(dict, key, plist_new_uint(*value));
  }
}

// Whether "copy" reads as "original" with the key, class and (when it had none) size set.
bool ReadsAsTheOriginalWithNewKey(ByteView original, ByteView copy, ByteView encryptionKey,
                                  uint32_t protectionClass, uint64_t defaultSize) {
  MbFile before;
  MbFile after;
  ReadMbFile(original, &before);  // fills the fields even when its old key is unreadable
  if (ReadMbFile(copy, &after) != kOk) {
    return false;
  }
  return after.encryptionKey == Bytes(encryptionKey.begin(), encryptionKey.end()) &&
         after.protectionClass == protectionClass &&
         after.size == (before.size ? *before.size : defaultSize) &&
         after.relativePath == before.relativePath && after.mode == before.mode &&
         after.userId == before.userId && after.groupId == before.groupId &&
         after.inode == before.inode && after.birth == before.birth &&
         after.lastModified == before.lastModified &&
         after.lastStatusChange == before.lastStatusChange && after.flags == before.flags &&
         after.target == before.target;
}

}  // namespace

Result ReadMbFile(ByteView blob, MbFile* file) {
  *file = MbFile{};
  Archive a;
  Result rc = OpenArchive(blob, &a);
  if (rc != kOk) {
    return rc;
  }
  file->relativePath = ReadString(a, "RelativePath");
  file->size = ReadUint(a, "Size");
  file->mode = ReadUint(a, "Mode");
  file->protectionClass = ReadUint(a, "ProtectionClass");
  file->userId = ReadUint(a, "UserID");
  file->groupId = ReadUint(a, "GroupID");
  file->inode = ReadUint(a, "InodeNumber");
  file->birth = ReadUint(a, "Birth");
  file->lastModified = ReadUint(a, "LastModified");
  file->lastStatusChange = ReadUint(a, "LastStatusChange");
  file->flags = ReadUint(a, "Flags");
  file->target = ReadString(a, "Target");
  file->encryptionKey = ReadKey(a);
  // A key that is there but unreadable must not pass for a file stored without encryption.
  if (file->encryptionKey.empty() && DictItem(a.root, "EncryptionKey") != nullptr) {
    return kMalformed;
  }
  return kOk;
}

Result WriteMbFile(const MbFile& file, Bytes* blob) {
  UniquePlist top(plist_new_dict());
  plist_t objects = plist_new_array();
  plist_dict_set_item(top.get(), "$objects", objects);
  plist_array_append_item(objects, plist_new_string("$null"));
  plist_t root = plist_new_dict();
  const uint64_t rootIndex = AddObject(objects, root);

  if (file.relativePath) {
    const uint64_t index = AddObject(objects, plist_new_string(file.relativePath->c_str()));
    plist_dict_set_item(root, "RelativePath", plist_new_uid(index));
  }
  if (file.target) {
    const uint64_t index = AddObject(objects, plist_new_string(file.target->c_str()));
    plist_dict_set_item(root, "Target", plist_new_uid(index));
  }
  if (!file.encryptionKey.empty()) {
    plist_dict_set_item(root, "EncryptionKey",
                        plist_new_uid(AddKeyObject(objects, file.encryptionKey)));
  }
  SetUint(root, "Size", file.size);
  SetUint(root, "Mode", file.mode);
  SetUint(root, "ProtectionClass", file.protectionClass);
  SetUint(root, "UserID", file.userId);
  SetUint(root, "GroupID", file.groupId);
  SetUint(root, "InodeNumber", file.inode);
  SetUint(root, "Birth", file.birth);
  SetUint(root, "LastModified", file.lastModified);
  SetUint(root, "LastStatusChange", file.lastStatusChange);
  SetUint(root, "Flags", file.flags);
  plist_dict_set_item(root, "$class",
                      plist_new_uid(AddClass(objects, "MBFile", {"MBFile", "NSObject"})));

  plist_t topRef = plist_new_dict();
  plist_dict_set_item(topRef, "root", plist_new_uid(rootIndex));
  plist_dict_set_item(top.get(), "$top", topRef);
  plist_dict_set_item(top.get(), "$archiver", plist_new_string("NSKeyedArchiver"));
  plist_dict_set_item(top.get(), "$version", plist_new_uint(kArchiveVersion));
  return ToBinaryPlist(top.get(), blob);
}

Result SetMbFileEncryption(ByteView blob, ByteView encryptionKey, uint32_t protectionClass,
                           uint64_t defaultSize, Bytes* out) {
  out->clear();
  Archive a;
  Result rc = OpenArchive(blob, &a);
  if (rc != kOk) {
    return rc;
  }
  // A key object already present is left unreferenced rather than edited in place, because it
  // may be shared or stored in any of several shapes.
  plist_dict_set_item(a.root, "EncryptionKey",
                      plist_new_uid(AddKeyObject(a.objects, encryptionKey)));
  plist_dict_set_item(a.root, "ProtectionClass", plist_new_uint(protectionClass));
  if (!ReadUint(a, "Size")) {
    plist_dict_set_item(a.root, "Size", plist_new_uint(defaultSize));
  }
  rc = ToBinaryPlist(a.tree.get(), out);
  if (rc != kOk) {
    return rc;
  }
  // libplist writes keys and strings that are not UTF-8 differently from how it read them, which
  // can change what the archive means; such a copy is refused rather than passed on altered.
  if (!ReadsAsTheOriginalWithNewKey(blob, *out, encryptionKey, protectionClass, defaultSize)) {
    out->clear();
    return kUnsupported;
  }
  return kOk;
}

}  // namespace zbe::crypto
