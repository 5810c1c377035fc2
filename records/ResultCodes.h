#pragma once

#include <cstdint>

namespace zbe {

// Result codes of the recovery source and the parser. Operations report failure with these
// signed 32-bit codes, never with exceptions. Other positive values are SQLite result codes of a
// failed open, or errno values.
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

}  // namespace zbe
