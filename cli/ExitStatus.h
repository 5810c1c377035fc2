#pragma once

namespace zbe::cli {

// Exit statuses of zbe.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;     // unknown option, missing argument
inline constexpr int kExitNoBackup = 3;  // no readable backup where one was named

}  // namespace zbe::cli
