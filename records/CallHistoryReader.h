#pragma once

#include <cstdint>
#include <string>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// Which of the two call databases a backup holds: the newer "CallHistory.storedata" or, on
// older devices, "call_history.db".
enum class CallDatabase { kNewer, kOlder };

// The call query; ZDATE counts seconds since 2001, so DateString is the call's start in UTC.
inline constexpr const char* kCallHistoryQuery =
    "SELECT ZANSWERED, ZDURATION, ZADDRESS, datetime(ZDATE + 978307200, 'unixepoch') AS "
    "DateString FROM ZCALLRECORD ORDER BY ZDATE DESC;";

// The same four columns from the "call" table of "call_history.db", which has no ZCALLRECORD:
// its dates count seconds since 1970, and bit 0 of its flags marks an outgoing call, which the
// consumers read from a zero answered value.
inline constexpr const char* kOldCallTableQuery =
    "SELECT CASE WHEN flags & 1 THEN 0 ELSE 1 END, duration, address, datetime(date, "
    "'unixepoch') FROM call ORDER BY date DESC;";

// Reads the calls of the call database at "callDatabasePath" and, when it opens, replaces the
// content of "calls" with those that have an address (when the call query fails, with the rows
// it gave before failing, possibly none). An older database without ZCALLRECORD is read from its
// "call" table instead. Then names every call whose address is longer than 4 characters from
// the address book at "addressBookPath" (the first entry, in row order, whose phone text
// contains the address), and sorts "calls" by date (case-insensitive text order, oldest first;
// equal dates in no fixed order). Durations are whole seconds (a fraction is dropped); dates
// are UTC.
// Returns success; SQLite's open code of the call database (the list keeps its content, still named
// and sorted); 1006 when the call query fails; otherwise the address book's open code, or 1006
// when its first layout is refused (the second still names the calls).
Result ReadCallHistoryDatabase(const std::string& callDatabasePath, CallDatabase kind,
                               const std::string& addressBookPath, CallList& calls);

}  // namespace zbe
