#pragma once

#include <cstdint>
#include <string>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// What the built-in sample backup looks like. Every field has a default, so a default-made
// value gives the standard sample.
struct SampleOptions {
  uint32_t seed = 1;
  std::string displayName = "iPhone";
  int64_t lastBackupDate = 1580512205;  // 2020-01-31T23:10:05Z
  std::string productVersion = "17.1";
  std::string uniqueIdentifier;  // empty: drawn from the seed
  // The record databases (messages, contacts, calls, notes, WhatsApp; see SampleRecords.h).
  bool recordDatabases = true;
  int scale = 1;             // multiplies the number of records (and of media files)
  bool legacyDates = false;  // message dates in seconds, as older devices stored them
  int contactsLayout = 1;    // 1: current address book columns; 2: the older layout; 3: no
                             // search table at all (older devices: "--contacts-layout old")
  bool oldCalls = false;     // "call_history.db" instead of "CallHistory.storedata"
  bool oldNotes = false;     // "notes.sqlite" instead of "NoteStore.sqlite"
};

// The built-in sample backup: the device of "options" and the files of each kind of data that
// the generators add (one Add... function per kind).
SampleBackup MakeSampleBackup(const SampleOptions& options);

// Preferences and app documents of a device, with their folders and a link, as any backup
// holds them beside the databases the program reads.
void AddSystemFiles(SampleBackup& backup);

}  // namespace zbe::mkbackup
