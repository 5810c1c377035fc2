#include "tools/crypto/BackupEncryptor.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/ResolvedPath.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/EncryptorSteps.h"
#include "tools/crypto/FileBytes.h"
#include "tools/crypto/KeySource.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/crypto/PlistNodes.h"
#include "tools/crypto/PrefixedKey.h"

namespace zbe::crypto {

namespace {

constexpr mode_t kFolderMode = 0700;
constexpr size_t kMaxPlistSize = kMaxManifestPlistSize;
// Seconds from 1970 to 2001, the epoch of property-list dates.
constexpr int64_t kPlistEpoch = 978307200;
// Date written by seeded runs that find no date to copy, so that their output is reproducible.
constexpr int32_t kFixedPlistDate = 600000000;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// EEXIST when "folder" exists and holds anything, ENOTDIR when it is not a folder.
Result CheckOutFolderEmpty(const std::string& folder) {
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0) {
    return errno == ENOENT ? kOk : Result::System(errno);
  }
  if (!S_ISDIR(st.st_mode)) {
    return Result::System(ENOTDIR);
  }
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) {
    return Result::System(errno);
  }
  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") {
      return Result::System(EEXIST);
    }
  }
  return kOk;
}

void RemoveContents(const std::string& folder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::filesystem::remove_all(entry.path(), ec);
  }
}

bool UsableFileClass(uint32_t protectionClass) {
  return (protectionClass >= 1 && protectionClass <= 4) ||
         (protectionClass >= 6 && protectionClass <= 8);
}

// Info.plist of the plain folder, parsed; null when absent or unreadable.
UniquePlist ReadInfoPlist(const std::string& folder) {
  Bytes data;
  if (ReadFileBytes(JoinPath(folder, "Info.plist"), kMaxPlistSize, &data) != kOk) {
    return nullptr;
  }
  UniquePlist info = ParsePlist(data);
  if (!info || plist_get_node_type(info.get()) != PLIST_DICT) {
    return nullptr;
  }
  return info;
}

plist_t NewDate(const EncryptContext& ctx, plist_t info) {
  if (plist_t date = DictItem(info, "Last Backup Date");
      date != nullptr && plist_get_node_type(date) == PLIST_DATE) {
    return plist_copy(date);
  }
  if (ctx.options.seed) {
    return plist_new_date(kFixedPlistDate, 0);
  }
  return plist_new_date(static_cast<int32_t>(std::time(nullptr) - kPlistEpoch), 0);
}

void CopyString(plist_t from, const char* fromKey, plist_t to, const char* toKey,
                const char* fallback) {
  std::optional<std::string> value = StringValue(DictItem(from, fromKey));
  if (value || fallback != nullptr) {
    plist_dict_set_item(to, toKey, plist_new_string(value ? value->c_str() : fallback));
  }
}

// A Manifest.plist for a plain folder that has none, filled from its Info.plist.
UniquePlist NewManifestPlist(const EncryptContext& ctx, plist_t info, bool mbdbLayout) {
  UniquePlist manifest(plist_new_dict());
  plist_t lockdown = plist_new_dict();
  CopyString(info, "Product Version", lockdown, "ProductVersion", mbdbLayout ? "9.3.5" : "17.0");
  CopyString(info, "Build Version", lockdown, "BuildVersion", nullptr);
  CopyString(info, "Device Name", lockdown, "DeviceName", nullptr);
  CopyString(info, "Product Type", lockdown, "ProductType", nullptr);
  CopyString(info, "Serial Number", lockdown, "SerialNumber", nullptr);
  CopyString(info, "Unique Identifier", lockdown, "UniqueDeviceID", nullptr);
  plist_dict_set_item(manifest.get(), "Lockdown", lockdown);
  plist_dict_set_item(manifest.get(), "Version", plist_new_string(mbdbLayout ? "9.1" : "10.0"));
  plist_dict_set_item(manifest.get(), "Date", NewDate(ctx, info));
  plist_dict_set_item(manifest.get(), "WasPasscodeSet", plist_new_bool(0));
  plist_dict_set_item(manifest.get(), "Applications", plist_new_dict());
  return manifest;
}

Result WriteManifestPlist(const EncryptContext& ctx, plist_t info, bool mbdbLayout, ByteView keybag,
                          ByteView manifestKey) {
  UniquePlist manifest;
  Bytes existing;
  Result rc = ReadFileBytes(JoinPath(ctx.plainFolder, "Manifest.plist"), kMaxPlistSize, &existing);
  if (rc == kOk) {
    manifest = ParsePlist(existing);
    if (!manifest || plist_get_node_type(manifest.get()) != PLIST_DICT) {
      return kMalformed;
    }
  } else if (rc == kMissingFile) {
    manifest = NewManifestPlist(ctx, info, mbdbLayout);
  } else {
    return rc;
  }
  SetManifestEncryption(manifest.get(), keybag, manifestKey);
  Bytes data;
  rc = ToBinaryPlist(manifest.get(), &data);
  return rc == kOk ? WriteOutputFile(JoinPath(ctx.outFolder, "Manifest.plist"), data) : rc;
}

Result WriteStatusPlist(EncryptContext& ctx, plist_t info) {
  Bytes data;
  Result rc = ReadFileBytes(JoinPath(ctx.plainFolder, "Status.plist"), kMaxPlistSize, &data);
  if (rc == kMissingFile) {
    uint8_t uuid[16];
    rc = ctx.source.Fill(uuid);
    if (rc != kOk) {
      return rc;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string uuidText;
    for (uint8_t b : uuid) {
      uuidText.push_back(kHex[b >> 4]);
      uuidText.push_back(kHex[b & 0xF]);
    }
    UniquePlist status(plist_new_dict());
    plist_dict_set_item(status.get(), "BackupState", plist_new_string("new"));
    plist_dict_set_item(status.get(), "Date", NewDate(ctx, info));
    plist_dict_set_item(status.get(), "IsFullBackup", plist_new_bool(0));
    plist_dict_set_item(status.get(), "SnapshotState", plist_new_string("finished"));
    plist_dict_set_item(status.get(), "UUID", plist_new_string(uuidText.c_str()));
    plist_dict_set_item(status.get(), "Version", plist_new_string("3.3"));
    rc = ToBinaryPlist(status.get(), &data);
  }
  return rc == kOk ? WriteOutputFile(JoinPath(ctx.outFolder, "Status.plist"), data) : rc;
}

Result CopyInfoPlist(const EncryptContext& ctx) {
  Bytes data;
  Result rc = ReadFileBytes(JoinPath(ctx.plainFolder, "Info.plist"), kMaxPlistSize, &data);
  if (rc == kMissingFile) {
    return kOk;
  }
  return rc == kOk ? WriteOutputFile(JoinPath(ctx.outFolder, "Info.plist"), data) : rc;
}

Result CheckArguments(const std::string& plainFolder, const std::string& outFolder,
                      const EncryptOptions& options, bool* mbdbLayout) {
  if (!UsableFileClass(options.protectionClass) || plainFolder.empty() || outFolder.empty() ||
      PathWithin(outFolder, plainFolder) || PathWithin(plainFolder, outFolder)) {
    return kBadArgument;
  }
  if (IsRegularFile(JoinPath(plainFolder, "Manifest.db"))) {
    *mbdbLayout = false;
    // The immutable open ignores a write-ahead log, so rows still in it would be lost.
    struct stat wal;
    if (::stat(JoinPath(plainFolder, "Manifest.db-wal").c_str(), &wal) == 0 && wal.st_size > 0) {
      return kBadArgument;
    }
  } else if (IsRegularFile(JoinPath(plainFolder, "Manifest.mbdb"))) {
    *mbdbLayout = true;
  } else {
    return kMissingFile;
  }
  ManifestPlistKeys plainKeys;
  const Result rc = ReadManifestPlist(JoinPath(plainFolder, "Manifest.plist"), &plainKeys);
  if (rc == kOk && plainKeys.isEncrypted) {
    return kBadArgument;
  }
  return CheckOutFolderEmpty(outFolder);
}

Result EncryptInto(EncryptContext& ctx, const Keybag& keybag, bool mbdbLayout) {
  Bytes manifestKey;
  Result rc = mbdbLayout ? EncryptMbdbLayout(ctx) : EncryptManifestDbLayout(ctx, &manifestKey);
  if (rc != kOk) {
    return rc;
  }
  UniquePlist info = ReadInfoPlist(ctx.plainFolder);
  rc = WriteManifestPlist(ctx, info.get(), mbdbLayout, SerializeKeybag(keybag), manifestKey);
  if (rc == kOk) {
    rc = CopyInfoPlist(ctx);
  }
  if (rc == kOk) {
    rc = WriteStatusPlist(ctx, info.get());
  }
  return rc;
}

}  // namespace

uint32_t ChooseProtectionClass(const EncryptContext& ctx, std::optional<uint64_t> recorded) {
  if (recorded && *recorded <= UINT32_MAX && UsableFileClass(static_cast<uint32_t>(*recorded)) &&
      ctx.keys.FindAesKey(static_cast<uint32_t>(*recorded)) != nullptr) {
    return static_cast<uint32_t>(*recorded);
  }
  return ctx.options.protectionClass;
}

Result EncryptStoredFile(EncryptContext& ctx, const std::string& plainPath,
                         const std::string& outPath, uint32_t protectionClass, Bytes* prefixedKey,
                         uint64_t* plainSize, bool* present) {
  *plainSize = 0;
  *present = false;
  SecretBytes key(kContentKeySize);
  Result rc = ctx.source.Fill(key);
  if (rc == kOk) {
    rc = WrapPrefixedKey(ctx.keys, protectionClass, key, prefixedKey);
  }
  if (rc != kOk) {
    return rc;
  }
  rc = EncryptFile(plainPath, key, outPath, 0600, plainSize);
  if (rc == kMissingFile) {
    ++ctx.report.filesMissing;
    return kOk;
  }
  if (rc == kOk) {
    *present = true;
    ++ctx.report.filesEncrypted;
  }
  return rc;
}

Result WriteOutputFile(const std::string& path, ByteView data) {
  return WriteFileBytes(path, data, 0600);
}

Result EncryptBackupFolder(const std::string& plainFolder, const std::string& outFolder,
                           std::string_view password, const EncryptOptions& options,
                           EncryptReport* report) {
  EncryptReport localReport;
  EncryptReport& out = report != nullptr ? *report : localReport;
  out = EncryptReport{};
  bool mbdbLayout = false;
  Result rc = CheckArguments(plainFolder, outFolder, options, &mbdbLayout);
  if (rc != kOk) {
    return rc;
  }
  KeySource source = options.seed ? KeySource::Seeded(*options.seed) : KeySource::Random();
  Keybag keybag;
  ClassKeys keys;
  rc = MakeBackupKeybag(AsBytes(password), options.keybagKind, options.iterations,
                        options.dpIterations, source, &keybag, &keys);
  if (rc != kOk) {
    return rc;
  }
  rc = Result::System(CreateFolders(outFolder, kFolderMode, FolderMode::kExact));
  if (rc != kOk) {
    return rc;
  }
  EncryptContext ctx{plainFolder, outFolder, keys, source, options, out};
  rc = EncryptInto(ctx, keybag, mbdbLayout);
  if (rc != kOk) {
    RemoveContents(outFolder);
    out = EncryptReport{};
  }
  return rc;
}

}  // namespace zbe::crypto
