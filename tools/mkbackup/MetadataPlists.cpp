#include "tools/mkbackup/MetadataPlists.h"

#include "platform/AsciiCase.h"

namespace zbe::mkbackup {
namespace {

void Set(plist_t dict, const char* key, plist_t value) {
  plist_dict_set_item(dict, key, value);
}

void SetString(plist_t dict, const char* key, const std::string& value) {
  Set(dict, key, plist_new_string(value.c_str()));
}

}  // namespace

PlistPtr BuildInfoPlist(const DeviceInfo& device) {
  plist_t root = plist_new_dict();
  SetString(root, "Build Version", device.buildVersion);
  SetString(root, "Device Name", device.displayName);
  SetString(root, "Display Name", device.displayName);
  SetString(root, "GUID", device.guid);
  SetString(root, "ICCID", device.iccid);
  SetString(root, "IMEI", device.imei);
  plist_t apps = plist_new_array();
  for (const std::string& app : device.installedApplications) {
    plist_array_append_item(apps, plist_new_string(app.c_str()));
  }
  Set(root, "Installed Applications", apps);
  Set(root, "Last Backup Date", NewPlistDate(device.lastBackupDate));
  SetString(root, "MEID", device.meid);
  if (!device.phoneNumber.empty()) {
    SetString(root, "Phone Number", device.phoneNumber);
  }
  SetString(root, "Product Name", device.productName);
  SetString(root, "Product Type", device.productType);
  SetString(root, "Product Version", device.productVersion);
  SetString(root, "Serial Number", device.serialNumber);
  SetString(root, "Target Identifier", device.uniqueIdentifier);
  SetString(root, "Target Type", "Device");
  SetString(root, "Unique Identifier", AsciiUpper(device.uniqueIdentifier));
  plist_t files = plist_new_dict();
  Set(files, "IC-Info.sidb", plist_new_data("", 0));
  Set(root, "iTunes Files", files);
  plist_t settings = plist_new_dict();
  Set(settings, "LibraryApplications", plist_new_array());
  Set(root, "iTunes Settings", settings);
  SetString(root, "iTunes Version", device.iTunesVersion);
  return PlistPtr(root);
}

PlistPtr BuildManifestPlist(const DeviceInfo& device, bool legacyLayout) {
  plist_t root = plist_new_dict();
  Set(root, "Applications", plist_new_dict());
  Set(root, "Date", NewPlistDate(device.lastBackupDate));
  Set(root, "IsEncrypted", plist_new_bool(0));
  plist_t lockdown = plist_new_dict();
  SetString(lockdown, "BuildVersion", device.buildVersion);
  SetString(lockdown, "DeviceName", device.displayName);
  SetString(lockdown, "ProductType", device.productType);
  SetString(lockdown, "ProductVersion", device.productVersion);
  SetString(lockdown, "SerialNumber", device.serialNumber);
  SetString(lockdown, "UniqueDeviceID", device.uniqueIdentifier);
  Set(root, "Lockdown", lockdown);
  SetString(root, "SystemDomainsVersion", legacyLayout ? "20.0" : "24.0");
  SetString(root, "Version", legacyLayout ? "9.1" : "10.0");
  Set(root, "WasPasscodeSet", plist_new_bool(0));
  return PlistPtr(root);
}

PlistPtr BuildStatusPlist(const DeviceInfo& device) {
  plist_t root = plist_new_dict();
  SetString(root, "BackupState", "new");
  Set(root, "Date", NewPlistDate(device.lastBackupDate));
  Set(root, "IsFullBackup", plist_new_bool(0));
  SetString(root, "SnapshotState", "finished");
  SetString(root, "UUID",
            device.guid.substr(0, 8) + "-" + device.guid.substr(8, 4) + "-" +
                device.guid.substr(12, 4) + "-" + device.guid.substr(16, 4) + "-" +
                device.guid.substr(20));
  SetString(root, "Version", "3.3");
  return PlistPtr(root);
}

}  // namespace zbe::mkbackup
