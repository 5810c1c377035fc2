#include "tools/mkbackup/SampleContent.h"

#include "tools/mkbackup/Plist.h"
#include "tools/mkbackup/SampleMedia.h"
#include "tools/mkbackup/SampleRecords.h"

namespace zbe::mkbackup {
namespace {

std::string PreferencesPlist(std::initializer_list<std::pair<const char*, std::string>> values) {
  PlistPtr root(plist_new_dict());
  for (const auto& [key, value] : values) {
    plist_dict_set_item(root.get(), key, plist_new_string(value.c_str()));
  }
  return PlistToBinary(root.get());
}

}  // namespace

SampleBackup MakeSampleBackup(const SampleOptions& options) {
  SampleBackup backup(options.seed, options.lastBackupDate);
  DeviceInfo& device = backup.device();
  device.displayName = options.displayName;
  device.productVersion = options.productVersion;
  if (!options.uniqueIdentifier.empty()) {
    device.uniqueIdentifier = options.uniqueIdentifier;
  }
  AddSystemFiles(backup);
  if (options.recordDatabases) {
    AddRecordDatabases(backup, options);
  }
  AddCameraRoll(backup, options.scale);
  AddPhotoStream(backup, options.scale);
  AddMessageAttachments(backup, options.scale);
  AddAppMedia(backup, options.scale);
  AddWhatsAppAttachments(backup, options.scale);
  return backup;
}

void AddSystemFiles(SampleBackup& backup) {
  const DeviceInfo& device = backup.device();
  backup.AddFile("HomeDomain", "Library/Preferences/.GlobalPreferences.plist",
                 PreferencesPlist({{"AppleLocale", "en_US"}, {"AppleLanguages", "en-US"}}));
  backup.AddFile("HomeDomain", "Library/Preferences/com.apple.springboard.plist",
                 PreferencesPlist({{"SBHomeScreenIconsLayout", "default"}}));
  backup.AddFolder("HomeDomain", "Library/SMS");
  backup.AddFolder("HomeDomain", "Library/AddressBook");
  backup.AddLink("HomeDomain", "Library/Caches/Current",
                 "/private/var/mobile/Library/Caches/com.apple.springboard");
  backup.AddFile("SystemPreferencesDomain", "SystemConfiguration/preferences.plist",
                 PreferencesPlist({{"HostName", device.displayName}}));
  backup.AddFile("WirelessDomain", "Library/Preferences/com.apple.commcenter.plist",
                 PreferencesPlist({{"PhoneNumber", device.phoneNumber}}));
  backup.AddFile("AppDomain-com.example.notes", "Documents/Welcome.txt",
                 "Welcome to your notes.\nEverything you write stays on this phone.\n");
  backup.AddFile("AppDomain-com.example.notes", "Library/Preferences/com.example.notes.plist",
                 PreferencesPlist({{"LastOpened", "Welcome.txt"}}));
}

}  // namespace zbe::mkbackup
