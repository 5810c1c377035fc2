#pragma once

#include <string>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// The "file" column of a "Manifest.db" row: the file's properties as the device archives them
// (a keyed archive of an MBFile object in binary property-list form), with the encryption key
// when the file has one.
std::string ArchivedFileProperties(const StoredFile& file);

}  // namespace zbe::mkbackup
