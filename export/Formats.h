#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// The two number formats that every view of the results shares (export rows, print page, data
// list, statistics line, CLI). One implementation each, so that all views agree.

// A call length in seconds as the views show it:
//   3600 or more: "<h> Hour <m> Min" (seconds dropped: 3725 gives "1 Hour 2 Min");
//   60 or more:   "<m> Min <s> Sec" (60 gives "1 Min 0 Sec");
//   otherwise, negative values included: "<s> Sec" (59 gives "59 Sec", -5 gives "-5 Sec").
// Callers that show "Missed"/"Canceled" for a zero length decide that themselves.
std::string FormatDuration(int64_t seconds);

// A byte size as the views show it, with two decimals from 1024 bytes on:
//   2^40 or more: "<x.xx> TB"; 2^30 or more: " GB"; 2^20 or more: " MB"; 1024 or more: " KB";
//   otherwise, negative values included: "<n> Bytes" (e.g. "512 Bytes", "-1 Bytes").
// The quotient is rounded by "%.2f", so 1048575 bytes gives "1024.00 KB".
std::string FormatSize(int64_t bytes);

}  // namespace zbe
