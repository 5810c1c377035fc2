#pragma once

#include <cstdint>
#include <string>

#include "backup/FreeSpaceSource.h"

namespace zbe {

// The temporary folder takes the decrypted copies of encrypted backups. It goes below the
// application-data folder while that volume has room for a large backup, else onto the local
// volume with the most free space.

// More free bytes than this (15 GiB) keep the temporary folder on the application-data volume.
inline constexpr uint64_t kTempFolderMinFreeBytes = 16'106'127'360ull;

// The name of the folder that the decryption writes into, inside the temporary folder.
inline constexpr const char* kDecryptionOutputName = "ZorvaneBackupPath";

// Where the temporary folder goes, with a trailing "/"; creates nothing.
// - "<appData>/ZorvaneBackupExtractor/ZorvaneTempFile/" when the volume of "appData" has more than
//   kTempFolderMinFreeBytes free;
// - else "<mount point>/ZorvaneTempFile/" on the writable mount point with the most free bytes
//   (the first listed among equals; mount points whose space cannot be asked are passed over);
// - else (no such mount point) the application-data location after all, and without an
//   application-data folder "/tmp/ZorvaneTempFile/".
// "appData" is the application-data folder, or empty when it cannot be resolved (the first rule
// is then skipped).
std::string ChooseTempFolder(const std::string& appData, const FreeSpaceSource& space);

// The temporary folder of this process, with a trailing "/": chosen on first use and kept until
// the process ends (the environment variable ZBE_TEMP_FOLDER, when it holds an absolute path,
// names it instead; tests use that). The first use also creates it private to the user
// (EnsurePrivateFolder); a failure there shows later, when the output folder is prepared. Safe
// to call from any thread.
const std::string& GetTempFolder();

// The decryption output folder: GetTempFolder() followed by "ZorvaneBackupPath" (no trailing
// "/"). Creates nothing.
std::string DecryptionOutputFolder();

}  // namespace zbe
