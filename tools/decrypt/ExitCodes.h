#pragma once

namespace zbe::decrypt {

// Exit statuses of the tool. Callers that only watch the output ("Count:", "Wrong password")
// may ignore them; scripts should not.
inline constexpr int kExitSuccess = 0;        // every stored file was decrypted
inline constexpr int kExitFailed = 1;         // the backup could not be decrypted at all
inline constexpr int kExitUsage = 2;          // wrong arguments, or no password line
inline constexpr int kExitWrongPassword = 3;  // "Wrong password" was printed
inline constexpr int kExitFilesSkipped = 4;   // finished, but some files were skipped or damaged

}  // namespace zbe::decrypt
