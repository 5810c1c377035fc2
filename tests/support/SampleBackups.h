#pragma once

// Sample backups for the suites, written with the mkbackup library into temporary folders.

#include <gtest/gtest.h>

#include <string>

#include "tools/mkbackup/BackupWriter.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::test {

// The MobileSync root below an application-data folder (what XDG_DATA_HOME points at).
inline std::string MobileSyncRootIn(const std::string& appData) {
  return appData + "/Apple Computer/MobileSync/backup";
}

// Writes "sample" to "folder" in "layout"; fails the test on error.
inline void WriteSample(const mkbackup::SampleBackup& sample, const std::string& folder,
                        mkbackup::ManifestLayout layout = mkbackup::ManifestLayout::kDatabase) {
  std::string error;
  ASSERT_EQ(mkbackup::WriteBackup(sample, folder, mkbackup::WriteOptions{layout}, error), 0)
      << error;
}

// The built-in sample with "seed" and "date" (seconds since 1970) but without its record
// databases, plus stand-ins for the stored messages and address book databases when
// "withDatabases" (bytes that only have to be copied, not read).
inline mkbackup::SampleBackup MakeSample(uint32_t seed, int64_t date, bool withDatabases = false) {
  mkbackup::SampleOptions options;
  options.seed = seed;
  options.lastBackupDate = date;
  options.recordDatabases = false;
  mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup(options);
  if (withDatabases) {
    sample.AddFile("HomeDomain", "Library/SMS/sms.db",
                   std::string("SQLite format 3\0 messages", 25));
    sample.AddFile("HomeDomain", "Library/AddressBook/AddressBook.sqlitedb",
                   std::string("SQLite format 3\0 contacts", 25));
  }
  return sample;
}

}  // namespace zbe::test
