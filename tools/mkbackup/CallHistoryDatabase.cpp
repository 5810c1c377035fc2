#include "tools/mkbackup/CallHistoryDatabase.h"

#include <optional>

#include "records/ReferenceDates.h"
#include "tools/mkbackup/SampleText.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kNewerSchema =
    "CREATE TABLE ZCALLDBPROPERTIES ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZTIMER_ALL FLOAT, ZTIMER_INCOMING FLOAT, ZTIMER_LAST FLOAT, ZTIMER_LIFETIME FLOAT, "
    "ZTIMER_OUTGOING FLOAT );"
    "CREATE TABLE ZCALLRECORD ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZANSWERED "
    "INTEGER, ZCALL_CATEGORY INTEGER, ZCALLTYPE INTEGER, ZDISCONNECTED_CAUSE INTEGER, "
    "ZFACE_TIME_DATA INTEGER, ZHANDLE_TYPE INTEGER, ZNUMBER_AVAILABILITY INTEGER, ZORIGINATED "
    "INTEGER, ZREAD INTEGER, ZJUNKCONFIDENCE INTEGER, ZVERIFICATIONSTATUS INTEGER, ZDATE "
    "TIMESTAMP, ZDURATION FLOAT, ZDEVICE_ID VARCHAR, ZISO_COUNTRY_CODE VARCHAR, ZLOCATION "
    "VARCHAR, ZNAME VARCHAR, ZSERVICE_PROVIDER VARCHAR, ZUNIQUE_ID VARCHAR UNIQUE, "
    "ZLOCALPARTICIPANTUUID VARCHAR, ZADDRESS BLOB );"
    "CREATE INDEX Z_CallRecord_date ON ZCALLRECORD (ZDATE COLLATE BINARY ASC);"
    "CREATE TABLE ZHANDLE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZTYPE "
    "INTEGER, ZNORMALIZEDVALUE VARCHAR, ZVALUE VARCHAR );"
    "CREATE TABLE Z_2REMOTEPARTICIPANTHANDLES ( Z_2REMOTEPARTICIPANTCALLS INTEGER, "
    "Z_4REMOTEPARTICIPANTHANDLES INTEGER, PRIMARY KEY (Z_2REMOTEPARTICIPANTCALLS, "
    "Z_4REMOTEPARTICIPANTHANDLES) );"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
    "Z_MAX INTEGER);"
    "CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);"
    "CREATE TABLE Z_MODELCACHE (Z_CONTENT BLOB);";

constexpr const char* kOlderSchema =
    "CREATE TABLE _SqliteDatabaseProperties (key TEXT, value TEXT, UNIQUE(key));"
    "CREATE TABLE call (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, address TEXT, date INTEGER, "
    "duration INTEGER, flags INTEGER, id INTEGER, name TEXT, country_code TEXT, network_code "
    "TEXT, read INTEGER, assisted INTEGER, face_time_data BLOB, originalAddress TEXT, answered "
    "INTEGER DEFAULT '1');"
    "CREATE TABLE data (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, pdp_ip INTEGER, bytes_rcvd REAL, "
    "bytes_sent REAL, bytes_last_rcvd REAL, bytes_last_sent REAL, bytes_lifetime_rcvd REAL, "
    "bytes_lifetime_sent REAL);"
    "CREATE INDEX date_index on call(date);";

// ZCALLTYPE of a telephone call and of FaceTime audio.
constexpr int kPhoneCall = 1;
constexpr int kFaceTimeAudio = 16;

// One generated call, stored by either database.
struct SampleCall {
  std::optional<std::string> address;  // NULL when absent
  bool asBlob = false;
  int64_t when = 0;                // seconds since 1970
  std::optional<double> duration;  // seconds; NULL when absent
  bool outgoing = false;
  bool answered = false;
  bool faceTime = false;
};

std::vector<SampleCall> MakeCalls(const std::vector<SamplePerson>& people,
                                  const CallsSample& sample) {
  SampleRandom random(sample.seed * 69069u + 3);
  const int64_t end = sample.lastCallAt;
  const int64_t start = end - 365 * 86400;
  std::vector<SampleCall> calls;
  auto add = [&](std::optional<std::string> address, int64_t when, std::optional<double> duration,
                 bool outgoing) {
    SampleCall call;
    call.address = std::move(address);
    call.when = when;
    call.duration = duration;
    call.outgoing = outgoing;
    call.answered = duration.value_or(0) > 0;
    call.asBlob = calls.size() % 3 == 1;
    calls.push_back(std::move(call));
    return &calls.back();
  };
  // The edge cases, in the first days of the year.
  add("1234", start + 3600, 12.0, true);    // four characters: never named
  add("12345", start + 7200, 31.5, false);  // five: named after the first phone holding it
  add(std::nullopt, start + 10800, 5.0, false);
  add("", start + 14400, 0.0, false);
  add(people.empty() ? "+15555550100" : people[0].phones[0].e164, start + 18000, 59.9, true);
  add("+15125550199", start + 21600, std::nullopt, false);
  add("ann.lee@example.com", start + 25200, 184.25, true)->faceTime = true;

  const int total = 40 * sample.scale;
  for (int i = 0; i < total; ++i) {
    std::string address;
    if (random.Below(6) == 0 || people.empty()) {
      address = "+1" + std::to_string(200 + random.Below(800)) + "555" + random.Digits(4);
    } else {
      const SamplePerson& person = people[random.Below(static_cast<uint32_t>(people.size()))];
      address = person.phones.empty()
                    ? "+15555550100"
                    : person.phones[random.Below(static_cast<uint32_t>(person.phones.size()))].e164;
    }
    bool outgoing = random.Below(2) == 0;
    bool missed = random.Below(5) == 0;
    double duration =
        missed ? 0.0 : static_cast<double>(random.Below(3600)) + random.Below(10) / 10.0;
    int64_t when = start + 86400 + (end - start - 2 * 86400) * i / total + random.Below(1800);
    add(address, when, duration, outgoing)->faceTime = random.Below(8) == 0;
  }
  return calls;
}

SqlValue AddressValue(const SampleCall& call) {
  if (!call.address) {
    return SqlValue();
  }
  return call.asBlob ? SqlValue::Blob(*call.address) : SqlValue(*call.address);
}

SqlValue DurationValue(const SampleCall& call) {
  return call.duration ? SqlValue(*call.duration) : SqlValue();
}

}  // namespace

std::string MakeCallHistoryDatabase(const std::vector<SamplePerson>& people,
                                    const CallsSample& sample) {
  std::vector<SampleCall> calls = MakeCalls(people, sample);
  SqliteWriter db;
  db.Exec(kNewerSchema);
  db.Exec("BEGIN;");
  SqlStatement insert(db,
                      "INSERT INTO ZCALLRECORD (Z_PK, Z_ENT, Z_OPT, ZANSWERED, ZCALL_CATEGORY, "
                      "ZCALLTYPE, ZDISCONNECTED_CAUSE, ZFACE_TIME_DATA, ZHANDLE_TYPE, "
                      "ZNUMBER_AVAILABILITY, ZORIGINATED, ZREAD, ZJUNKCONFIDENCE, "
                      "ZVERIFICATIONSTATUS, ZDATE, ZDURATION, ZISO_COUNTRY_CODE, ZLOCATION, "
                      "ZSERVICE_PROVIDER, ZUNIQUE_ID, ZADDRESS) VALUES "
                      "(?, 2, 1, ?, 1, ?, 0, NULL, ?, 0, ?, 1, 0, 0, ?, ?, 'us', ?, ?, ?, ?);");
  SqlStatement handle(db, "INSERT INTO ZHANDLE VALUES (?, 4, 1, ?, ?, ?);");
  SqlStatement participant(db, "INSERT INTO Z_2REMOTEPARTICIPANTHANDLES VALUES (?, ?);");
  for (size_t i = 0; i < calls.size(); ++i) {
    const SampleCall& call = calls[i];
    const int64_t pk = static_cast<int64_t>(i) + 1;
    bool email = call.address && call.address->find('@') != std::string::npos;
    insert.Run({pk, call.answered ? 1 : 0, call.faceTime ? kFaceTimeAudio : kPhoneCall,
                email ? 3 : 2, call.outgoing ? 1 : 0,
                static_cast<double>(call.when - kReferenceDateOffset) + (i % 10) / 10.0,
                DurationValue(call), call.faceTime ? SqlValue() : SqlValue("United States"),
                call.faceTime ? "com.apple.FaceTime" : "com.apple.Telephony", UpperUuid(pk, 0xCA11),
                AddressValue(call)});
    if (call.address && !call.address->empty()) {
      handle.Run({pk, email ? 3 : 2, *call.address, *call.address});
      participant.Run({pk, pk});
    }
  }
  db.Exec(
      "INSERT INTO ZCALLDBPROPERTIES VALUES (1, 1, 1, 0, 0, 0, 0, 0);"
      "INSERT INTO Z_PRIMARYKEY VALUES (1, 'CallDBProperties', 0, 1), (2, 'CallRecord', 0, "
      "(SELECT count(*) FROM ZCALLRECORD)), (4, 'Handle', 0, (SELECT count(*) FROM ZHANDLE));"
      "INSERT INTO Z_METADATA VALUES (1, 'A0C1F4E2-3B5D-4E6F-8A9B-0C1D2E3F4A5B', NULL);");
  db.Exec("COMMIT;");
  return db.Bytes();
}

std::string MakeOldCallHistoryDatabase(const std::vector<SamplePerson>& people,
                                       const CallsSample& sample) {
  std::vector<SampleCall> calls = MakeCalls(people, sample);
  SqliteWriter db;
  db.Exec(kOlderSchema);
  db.Exec("BEGIN;");
  db.Exec(
      "INSERT INTO _SqliteDatabaseProperties VALUES ('timer_last', '0'), ('timer_incoming', "
      "'0'), ('timer_outgoing', '0'), ('timer_all', '0'), ('timer_lifetime', '0'), "
      "('_ClientVersion', '9');");
  SqlStatement insert(db,
                      "INSERT INTO call (address, date, duration, flags, id, country_code, "
                      "network_code, read, assisted, originalAddress, answered) VALUES "
                      "(?, ?, ?, ?, -1, '310', '410', 1, 0, ?, ?);");
  for (const SampleCall& call : calls) {
    // Whole seconds; bit 0 marks an outgoing call, 4 a call of the phone (16 FaceTime).
    int flags = (call.outgoing ? 1 : 0) | (call.faceTime ? 16 : 4);
    SqlValue duration = call.duration ? SqlValue(static_cast<int64_t>(*call.duration)) : SqlValue();
    insert.Run({AddressValue(call), call.when, duration, flags, AddressValue(call),
                call.answered ? 1 : 0});
  }
  db.Exec("COMMIT;");
  return db.Bytes();
}

void AddCallHistory(SampleBackup& backup, const std::vector<SamplePerson>& people,
                    const CallsSample& sample) {
  backup.AddFile("HomeDomain", "Library/CallHistoryDB/CallHistory.storedata",
                 MakeCallHistoryDatabase(people, sample));
}

void AddOldCallHistory(SampleBackup& backup, const std::vector<SamplePerson>& people,
                       const CallsSample& sample) {
  backup.AddFile("WirelessDomain", "Library/CallHistory/call_history.db",
                 MakeOldCallHistoryDatabase(people, sample));
}

}  // namespace zbe::mkbackup
