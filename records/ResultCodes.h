#pragma once

#include <cstdint>

#include "records/Result.h"

namespace zbe {

// Result codes of the recovery source and the parser, as the product's interfaces carry them
// (signed 32-bit, never exceptions). Other positive values are SQLite result codes of a failed
// open, or errno values. Inside the core, results travel as Result (records/Result.h), built
// from the ResultCode values below.
inline constexpr int32_t kResultOk = 0;
// A progress callback answered "stop" (the user stopped the scan).
inline constexpr int32_t kResultStopped = 2;
// The decryption reported a wrong backup password.
inline constexpr int32_t kResultWrongPassword = -110;
// A needed file is missing or could not be opened, or the decryption could not be started.
inline constexpr int32_t kResultMissingFile = 87;
// A query on a database failed (for the manifest: no Files table, or still encrypted).
inline constexpr int32_t kResultQueryFailed = 1006;
// "Manifest.mbdb" exists but could not be opened.
inline constexpr int32_t kResultMbdbNotOpenable = 6009;

// The same codes with their sentences (the texts that the export's file list shows).
inline constexpr ResultCode kWrongPassword{kResultWrongPassword, "The backup password is wrong"};
inline constexpr ResultCode kMissingFile{kResultMissingFile,
                                         "A needed file is missing or could not be opened"};
inline constexpr ResultCode kQueryFailed{kResultQueryFailed, "A database query failed"};
inline constexpr ResultCode kMbdbNotOpenable{kResultMbdbNotOpenable,
                                             "The backup's manifest could not be opened"};

}  // namespace zbe
