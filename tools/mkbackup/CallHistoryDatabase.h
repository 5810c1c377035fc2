#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"
#include "tools/mkbackup/SamplePeople.h"

namespace zbe::mkbackup {

// What the generated call history looks like.
struct CallsSample {
  uint32_t seed = 1;
  int scale = 1;           // multiplies the number of calls
  int64_t lastCallAt = 0;  // seconds since 1970; calls span the year before
};

// The newer call database, "CallHistory.storedata" (Core Data tables; ZCALLRECORD with dates in
// seconds since 2001 and real-valued durations): 40 × scale calls and more, to and from people
// of "people", unknown numbers, a four- and a five-digit service number, a FaceTime call by
// e-mail address, calls without an address (NULL and empty), a duration of 59.9 s and one of
// NULL; some addresses are stored as blobs, as devices do. Throws SqlWriteError on a fault of
// the generator.
std::string MakeCallHistoryDatabase(const std::vector<SamplePerson>& people,
                                    const CallsSample& sample);

// The older call database, "call_history.db": its "call" table (dates in seconds since 1970,
// bit 0 of the flags set for outgoing calls), with calls like the newer one's.
std::string MakeOldCallHistoryDatabase(const std::vector<SamplePerson>& people,
                                       const CallsSample& sample);

// Add them to "backup": HomeDomain "Library/CallHistoryDB/CallHistory.storedata", and
// WirelessDomain "Library/CallHistory/call_history.db".
void AddCallHistory(SampleBackup& backup, const std::vector<SamplePerson>& people,
                    const CallsSample& sample);
void AddOldCallHistory(SampleBackup& backup, const std::vector<SamplePerson>& people,
                       const CallsSample& sample);

}  // namespace zbe::mkbackup
