#pragma once

namespace zbe::cli {

// Exit statuses of zbe.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;     // unknown option, missing argument
inline constexpr int kExitNoBackup = 3;  // no readable backup where one was named
inline constexpr int kExitPassword = 4;  // an encrypted backup without a password, or a wrong one
inline constexpr int kExitFailure = 5;   // the command could not run (no work folder)

}  // namespace zbe::cli
