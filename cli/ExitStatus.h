#pragma once

namespace zbe::cli {

// Exit statuses of zbe.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;     // unknown option, missing argument
inline constexpr int kExitStopped = 2;   // scan, export or print stopped (Ctrl-C)
inline constexpr int kExitNoBackup = 3;  // no readable backup where one was named
inline constexpr int kExitPassword = 4;  // an encrypted backup without a password, or a wrong one
inline constexpr int kExitFailure = 5;   // the command could not run (no work folder)
// Some files of an export failed (the others are in place). Shares its value with kExitFailure:
// either way not everything the user asked for was written.
inline constexpr int kExitSomeFailed = 5;

}  // namespace zbe::cli
