#include "tools/mkbackup/FileProperties.h"

#include <gtest/gtest.h>

#include "tools/mkbackup/Plist.h"

namespace zbe::mkbackup {
namespace {

// The archived object list of "file".
PlistPtr Parse(const StoredFile& file) {
  std::string bytes = ArchivedFileProperties(file);
  EXPECT_EQ(bytes.substr(0, 8), "bplist00");
  plist_t root = nullptr;
  plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
  return PlistPtr(root);
}

uint64_t Uint(plist_t dict, const char* key) {
  uint64_t value = 0;
  plist_get_uint_val(plist_dict_get_item(dict, key), &value);
  return value;
}

std::string String(plist_t node) {
  char* text = nullptr;
  plist_get_string_val(node, &text);
  std::string value = text != nullptr ? text : "";
  free(text);
  return value;
}

uint64_t Uid(plist_t dict, const char* key) {
  uint64_t value = 0;
  plist_get_uid_val(plist_dict_get_item(dict, key), &value);
  return value;
}

TEST(ArchivedFileProperties, IsAKeyedArchiveOfTheFile) {
  StoredFile file;
  file.domain = "HomeDomain";
  file.relativePath = "Library/SMS/sms.db";
  file.contents = std::string(1234, 'x');
  file.modified = 1600000000;
  file.created = 1500000000;
  file.inode = 77;
  PlistPtr root = Parse(file);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(String(plist_dict_get_item(root.get(), "$archiver")), "NSKeyedArchiver");
  EXPECT_EQ(Uid(plist_dict_get_item(root.get(), "$top"), "root"), 1u);
  plist_t objects = plist_dict_get_item(root.get(), "$objects");
  ASSERT_EQ(plist_array_get_size(objects), 4u);
  EXPECT_EQ(String(plist_array_get_item(objects, 0)), "$null");
  plist_t properties = plist_array_get_item(objects, 1);
  EXPECT_EQ(Uint(properties, "Size"), 1234u);
  EXPECT_EQ(Uint(properties, "Mode"), 0x81A4u);
  EXPECT_EQ(Uint(properties, "LastModified"), 1600000000u);
  EXPECT_EQ(Uint(properties, "Birth"), 1500000000u);
  EXPECT_EQ(Uint(properties, "InodeNumber"), 77u);
  EXPECT_EQ(String(plist_array_get_item(objects, Uid(properties, "RelativePath"))),
            "Library/SMS/sms.db");
  plist_t classInfo = plist_array_get_item(objects, Uid(properties, "$class"));
  EXPECT_EQ(String(plist_dict_get_item(classInfo, "$classname")), "MBFile");
  EXPECT_EQ(plist_dict_get_item(properties, "EncryptionKey"), nullptr);
}

TEST(ArchivedFileProperties, CarriesALinksTargetAndAnEncryptionKey) {
  StoredFile file;
  file.relativePath = "Library/link";
  file.mode = kModeLink;
  file.linkTarget = "/private/var/target";
  file.encryptionKey = std::string("\x03\x00\x00\x00wrapped", 11);
  PlistPtr root = Parse(file);
  plist_t objects = plist_dict_get_item(root.get(), "$objects");
  plist_t properties = plist_array_get_item(objects, 1);
  EXPECT_EQ(String(plist_array_get_item(objects, Uid(properties, "Target"))),
            "/private/var/target");
  plist_t key = plist_array_get_item(objects, Uid(properties, "EncryptionKey"));
  char* data = nullptr;
  uint64_t length = 0;
  plist_get_data_val(plist_dict_get_item(key, "NS.data"), &data, &length);
  EXPECT_EQ(std::string(data, length), file.encryptionKey);
  free(data);
  plist_t keyClass = plist_array_get_item(objects, Uid(key, "$class"));
  EXPECT_EQ(String(plist_dict_get_item(keyClass, "$classname")), "NSMutableData");
  plist_t fileClass = plist_array_get_item(objects, Uid(properties, "$class"));
  EXPECT_EQ(String(plist_dict_get_item(fileClass, "$classname")), "MBFile");
}

}  // namespace
}  // namespace zbe::mkbackup
