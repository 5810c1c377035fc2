#pragma once

#include "tools/mkbackup/Plist.h"
#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// The property lists beside the manifest, with the keys a real backup has (in the sorted order
// in which the device writes them).

// "Info.plist" (written in XML form): the device summary that backup lists are made from.
PlistPtr BuildInfoPlist(const DeviceInfo& device);

// "Manifest.plist" (binary form): the backup's own facts. "legacyLayout" marks a backup with
// "Manifest.mbdb" (an older device). An encrypted backup adds its keybag to this dictionary.
PlistPtr BuildManifestPlist(const DeviceInfo& device, bool legacyLayout);

// "Status.plist" (binary form): the state of the finished backup.
PlistPtr BuildStatusPlist(const DeviceInfo& device);

}  // namespace zbe::mkbackup
