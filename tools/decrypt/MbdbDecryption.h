#pragma once

namespace zbe::decrypt {

struct DecryptionSession;

// Decrypts every regular file record of the backup's Manifest.mbdb into the output folder under
// its file ID, each with the key in its record. Returns false, after reporting why, when the
// manifest cannot be read; of a manifest that ends inside a record, the records before it are
// decrypted and the report is marked incomplete.
bool DecryptMbdbBackup(const DecryptionSession& session);

}  // namespace zbe::decrypt
