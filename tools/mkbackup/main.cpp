// mkbackup: writes the built-in sample backup into a folder, for tests, the demo and benchmarks.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/TimeZone.h"
#include "tools/mkbackup/BackupWriter.h"
#include "tools/mkbackup/EncryptedWriter.h"
#include "tools/mkbackup/SampleContent.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: mkbackup OUTDIR [--layout db|mbdb] [--seed N] [--name \"Device Name\"]\n"
    "                [--date 2020-01-31T23:10:05Z] [--product-version 17.1] [--udid ID]\n"
    "                [--scale N] [--legacy-dates] [--contacts-layout 1|2|old] [--old-calls]\n"
    "                [--old-notes]\n"
    "                [--encrypt PASSWORD [--iterations N] [--legacy-keybag]]\n"
    "\n"
    "Writes a complete sample backup into OUTDIR (created; must be missing or empty).\n"
    "  --layout db|mbdb      Manifest.db with two-level stored files (default), or\n"
    "                        Manifest.mbdb with all stored files in OUTDIR\n"
    "  --seed N              variety of the generated device and data (default 1)\n"
    "  --name NAME           the device's display name (default \"iPhone\")\n"
    "  --date DATE           last backup date, UTC (default 2020-01-31T23:10:05Z)\n"
    "  --product-version V   iOS version of the device (default 17.1, or 9.3.5 with mbdb)\n"
    "  --udid ID             the device's 40-hex-digit identifier (default drawn from the seed)\n"
    "  --scale N             multiply the number of records and media files by N (1 to\n"
    "                        10000, default 1: a few dozen messages, contacts, calls,\n"
    "                        notes and chats, and a dozen camera roll files)\n"
    "  --legacy-dates        store message dates in seconds, as older devices did\n"
    "                        (default nanoseconds)\n"
    "  --contacts-layout L   address book search columns: 1 current (default), 2 older,\n"
    "                        old: no search table at all (older devices)\n"
    "  --old-calls           write the older call history \"call_history.db\"\n"
    "  --old-notes           write the older notes database \"notes.sqlite\"\n"
    "  --encrypt PASSWORD    encrypt the backup with PASSWORD, as a device does when backups\n"
    "                        are protected (sample data only: the password is on the command\n"
    "                        line)\n"
    "  --iterations N        rounds of each key derivation stage (default the device's 10000\n"
    "                        and 10000000); small numbers make fast test backups\n"
    "  --legacy-keybag       the keybag of devices before iOS 10.2 (one PBKDF2-SHA1 stage)\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "mkbackup: %s\n%s", message.c_str(), kUsage);
  return 1;
}

// Reads "YYYY-MM-DDThh:mm:ssZ" into seconds since 1970.
bool ParseDate(const std::string& text, int64_t& seconds) {
  std::tm utc{};
  int consumed = 0;
  if (text.size() != 20 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ%n", &utc.tm_year, &utc.tm_mon,
                  &utc.tm_mday, &utc.tm_hour, &utc.tm_min, &utc.tm_sec, &consumed) != 6 ||
      consumed != 20) {
    return false;
  }
  if (utc.tm_year < 2001 || utc.tm_mon < 1 || utc.tm_mon > 12 || utc.tm_mday < 1 ||
      utc.tm_mday > 31 || utc.tm_hour > 23 || utc.tm_min > 59 || utc.tm_sec > 59) {
    return false;
  }
  utc.tm_year -= 1900;
  utc.tm_mon -= 1;
  seconds = zbe::FromUtcTime(utc);
  std::tm check{};
  // Reject days that do not exist in the month (2021-02-30).
  return zbe::ToUtcTime(seconds, check) && check.tm_mday == utc.tm_mday;
}

bool ParseSeed(const std::string& text, uint32_t& seed) {
  if (text.empty() || text.size() > 10 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > 0xFFFFFFFFull) {
    return false;
  }
  seed = static_cast<uint32_t>(value);
  return true;
}

bool ParseScale(const std::string& text, int& scale) {
  uint32_t value = 0;
  if (!ParseSeed(text, value) || value < 1 || value > 10000) {
    return false;
  }
  scale = static_cast<int>(value);
  return true;
}

bool ParseIterations(const std::string& text, std::optional<uint32_t>& iterations) {
  uint32_t value = 0;
  if (!ParseSeed(text, value) || value == 0) {
    return false;
  }
  iterations = value;
  return true;
}

bool IsUdid(const std::string& text) {
  return text.size() == 40 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  zbe::mkbackup::SampleOptions sample;
  zbe::mkbackup::WriteOptions write;
  std::string outDir;
  bool versionGiven = false;
  std::optional<zbe::mkbackup::EncryptionSettings> encryption;
  bool legacyKeybag = false;
  std::optional<uint32_t> iterations;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument == "--legacy-dates" || argument == "--old-calls" || argument == "--old-notes") {
      bool& flag = argument == "--legacy-dates" ? sample.legacyDates
                   : argument == "--old-calls"  ? sample.oldCalls
                                                : sample.oldNotes;
      flag = true;
      continue;
    }
    if (argument == "--legacy-keybag") {
      legacyKeybag = true;
      continue;
    }
    if (argument.substr(0, 2) == "--") {
      if (i + 1 >= argc) {
        return UsageError("missing value after " + std::string(argument));
      }
      std::string value = argv[++i];
      if (argument == "--layout" && (value == "db" || value == "mbdb")) {
        write.layout = value == "db" ? zbe::mkbackup::ManifestLayout::kDatabase
                                     : zbe::mkbackup::ManifestLayout::kMbdb;
      } else if (argument == "--seed" && ParseSeed(value, sample.seed)) {
      } else if (argument == "--name" && !value.empty()) {
        sample.displayName = value;
      } else if (argument == "--date" && ParseDate(value, sample.lastBackupDate)) {
      } else if (argument == "--product-version" && !value.empty()) {
        sample.productVersion = value;
        versionGiven = true;
      } else if (argument == "--udid" && IsUdid(value)) {
        sample.uniqueIdentifier = value;
      } else if (argument == "--scale" && ParseScale(value, sample.scale)) {
      } else if (argument == "--contacts-layout" &&
                 (value == "1" || value == "2" || value == "old")) {
        sample.contactsLayout = value == "1" ? 1 : value == "2" ? 2 : 3;
      } else if (argument == "--encrypt" && !value.empty()) {
        encryption.emplace();
        encryption->password = value;
      } else if (argument == "--iterations" && ParseIterations(value, iterations)) {
      } else if (argument == "--layout" || argument == "--seed" || argument == "--name" ||
                 argument == "--date" || argument == "--product-version" || argument == "--udid" ||
                 argument == "--scale" || argument == "--contacts-layout" ||
                 argument == "--encrypt" || argument == "--iterations") {
        return UsageError("invalid value for " + std::string(argument) + ": \"" + value + "\"");
      } else {
        return UsageError("unknown option " + std::string(argument));
      }
    } else if (outDir.empty()) {
      outDir = argument;
    } else {
      return UsageError("more than one output folder given");
    }
  }
  if (outDir.empty()) {
    return UsageError("missing OUTDIR");
  }
  if (!encryption && (legacyKeybag || iterations)) {
    return UsageError("--iterations and --legacy-keybag need --encrypt");
  }
  // Devices that wrote "Manifest.mbdb" ran iOS 9 or earlier.
  if (!versionGiven && write.layout == zbe::mkbackup::ManifestLayout::kMbdb) {
    sample.productVersion = "9.3.5";
  }
  std::optional<zbe::mkbackup::SampleBackup> made;
  try {
    made.emplace(zbe::mkbackup::MakeSampleBackup(sample));
  } catch (const std::runtime_error& failure) {
    // A database or a photo that the generators could not make.
    std::fprintf(stderr, "mkbackup: cannot generate the sample: %s\n", failure.what());
    return 2;
  }
  zbe::mkbackup::SampleBackup& backup = *made;
  std::string error;
  int32_t result = 0;
  if (encryption) {
    encryption->legacyKeybag = legacyKeybag;
    encryption->iterations = iterations;
    result = zbe::mkbackup::WriteEncryptedBackup(backup, outDir, write, *encryption, error);
  } else {
    result = zbe::mkbackup::WriteBackup(backup, outDir, write, error);
  }
  if (result != 0) {
    std::fprintf(stderr, "mkbackup: %s\n", error.c_str());
    return 2;
  }
  std::printf(
      "mkbackup: wrote %s backup of \"%s\" (%s, %zu manifest rows) to %s\n",
      !encryption    ? "a plain"
      : legacyKeybag ? "an encrypted (older keybag)"
                     : "an encrypted",
      backup.device().displayName.c_str(),
      write.layout == zbe::mkbackup::ManifestLayout::kDatabase ? "Manifest.db" : "Manifest.mbdb",
      backup.files().size(), outDir.c_str());
  return 0;
}
