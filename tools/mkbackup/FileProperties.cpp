#include "tools/mkbackup/FileProperties.h"

#include "tools/mkbackup/Plist.h"

namespace zbe::mkbackup {
namespace {

plist_t Integer(int64_t value) {
  return plist_new_uint(static_cast<uint64_t>(value));
}

plist_t ClassEntry(const char* name, std::initializer_list<const char*> classes) {
  plist_t entry = plist_new_dict();
  plist_dict_set_item(entry, "$classname", plist_new_string(name));
  plist_t list = plist_new_array();
  for (const char* item : classes) {
    plist_array_append_item(list, plist_new_string(item));
  }
  plist_dict_set_item(entry, "$classes", list);
  return entry;
}

}  // namespace

std::string ArchivedFileProperties(const StoredFile& file) {
  // $objects: "$null", the MBFile, its relative path, then the objects it refers to, the class
  // descriptions last; references are UIDs (indexes into $objects).
  plist_t objects = plist_new_array();
  plist_array_append_item(objects, plist_new_string("$null"));
  plist_t properties = plist_new_dict();
  plist_array_append_item(objects, properties);
  plist_array_append_item(objects, plist_new_string(file.relativePath.c_str()));
  uint64_t next = 3;

  plist_dict_set_item(properties, "LastModified", Integer(file.modified));
  plist_dict_set_item(properties, "LastStatusChange", Integer(file.modified));
  plist_dict_set_item(properties, "Birth", Integer(file.created));
  plist_dict_set_item(properties, "Size", Integer(static_cast<int64_t>(file.contents.size())));
  plist_dict_set_item(properties, "Mode", Integer(file.mode));
  plist_dict_set_item(properties, "UserID", Integer(501));
  plist_dict_set_item(properties, "GroupID", Integer(501));
  plist_dict_set_item(properties, "InodeNumber", Integer(static_cast<int64_t>(file.inode)));
  plist_dict_set_item(properties, "ProtectionClass", Integer(file.protectionClass));
  plist_dict_set_item(properties, "Flags", Integer(0));
  plist_dict_set_item(properties, "RelativePath", plist_new_uid(2));
  if (file.isLink()) {
    plist_array_append_item(objects, plist_new_string(file.linkTarget.c_str()));
    plist_dict_set_item(properties, "Target", plist_new_uid(next++));
  }
  if (!file.encryptionKey.empty()) {
    plist_t key = plist_new_dict();
    plist_dict_set_item(key, "NS.data",
                        plist_new_data(file.encryptionKey.data(), file.encryptionKey.size()));
    uint64_t keyIndex = next++;
    plist_array_append_item(objects, key);
    plist_dict_set_item(properties, "EncryptionKey", plist_new_uid(keyIndex));
    plist_dict_set_item(key, "$class", plist_new_uid(next++));
    plist_array_append_item(objects,
                            ClassEntry("NSMutableData", {"NSMutableData", "NSData", "NSObject"}));
  }
  plist_dict_set_item(properties, "$class", plist_new_uid(next++));
  plist_array_append_item(objects, ClassEntry("MBFile", {"MBFile", "NSObject"}));

  PlistPtr root(plist_new_dict());
  plist_dict_set_item(root.get(), "$version", plist_new_uint(100000));
  plist_dict_set_item(root.get(), "$archiver", plist_new_string("NSKeyedArchiver"));
  plist_t top = plist_new_dict();
  plist_dict_set_item(top, "root", plist_new_uid(1));
  plist_dict_set_item(root.get(), "$top", top);
  plist_dict_set_item(root.get(), "$objects", objects);
  return PlistToBinary(root.get());
}

}  // namespace zbe::mkbackup
