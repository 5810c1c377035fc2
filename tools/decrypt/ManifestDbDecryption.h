#pragma once

#include "backup/DecryptionProtocol.h"
#include "tools/crypto/Bytes.h"

namespace zbe::decrypt {

struct DecryptionSession;

// Decrypts the backup's Manifest.db with "manifestKey" (the ManifestKey of Manifest.plist; empty
// for backups made before iOS 10.2, whose Manifest.db is stored plain and is copied) into the
// output folder as "Manifest.db-decypted", then every regular file of its Files table into the
// output folder under its file ID (flat). Returns false, after reporting why, when the manifest
// itself cannot be decrypted or read; file problems are reported and do not stop the walk.
bool DecryptManifestDbBackup(const DecryptionSession& session, crypto::ByteView manifestKey);

}  // namespace zbe::decrypt
