#include "tools/mkbackup/Plist.h"

namespace zbe::mkbackup {

plist_t NewPlistDate(int64_t unixSeconds) {
  constexpr int64_t kPlistEpochOffset = 978307200;
  return plist_new_date(static_cast<int32_t>(unixSeconds - kPlistEpochOffset), 0);
}

std::string PlistToXml(plist_t root) {
  char* text = nullptr;
  uint32_t length = 0;
  plist_to_xml(root, &text, &length);
  std::string xml(text != nullptr ? text : "", length);
  plist_to_xml_free(text);
  return xml;
}

std::string PlistToBinary(plist_t root) {
  crypto::Bytes binary;
  crypto::ToBinaryPlist(root, &binary);
  return std::string(binary.begin(), binary.end());
}

}  // namespace zbe::mkbackup
