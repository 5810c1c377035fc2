#pragma once

#include <cstdint>
#include <string>

#include "backup/RecoveryCallbacks.h"
#include "records/Result.h"

namespace zbe {

// Copies the stored file "source" to "destination" for the export, creating the destination's
// folder with its missing parents; an existing destination is replaced. An empty source gives an
// empty destination without any callback. Otherwise the bytes go in chunks of 65536 (copied by
// the kernel where it can), and after each chunk "callback" (may be null) gets (context, percent
// done, 0, destination); a non-zero answer stops the copy and becomes the result.
// Returns success; 87 when the source or the destination cannot be opened; the errno of a failed
// read or write (a failed write is first reported to the callback with its percent and that code);
// or a stop with the callback's answer. Whenever the result's code is greater than 0 the callback
// gets a last call (context, 100, code, destination). A destination left behind by a failure or
// stop is incomplete; the caller decides whether to keep it.
Result CopyStoredFile(const std::string& source, const std::string& destination,
                      FileCopyCallback callback, void* context);

// Copies the stored database "source" (the messages or address book database) to "destination"
// byte for byte, replacing an existing file. Returns success; 87 when "source" is not a regular
// file; or the errno of the failed copy (an incomplete destination is removed).
Result CopyStoredDatabase(const std::string& source, const std::string& destination);

}  // namespace zbe
