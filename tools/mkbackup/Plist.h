#pragma once

#include <plist/plist.h>

#include <cstdint>
#include <memory>
#include <string>

#include "tools/crypto/PlistNodes.h"

namespace zbe::mkbackup {

// Owns one property-list tree (libplist) and frees it on destruction.
using PlistPtr = crypto::UniquePlist;

// Seconds since 1970 as a property-list date (which counts from 2001).
plist_t NewPlistDate(int64_t unixSeconds);

// The XML form (as written by the device's backup service: tab-indented, one key or value a
// line) and the binary form ("bplist00") of "root".
std::string PlistToXml(plist_t root);
std::string PlistToBinary(plist_t root);

}  // namespace zbe::mkbackup
