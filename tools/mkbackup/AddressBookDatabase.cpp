#include "tools/mkbackup/AddressBookDatabase.h"

#include <optional>

#include "records/ReferenceDates.h"
#include "tools/mkbackup/SampleText.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace zbe::mkbackup {
namespace {

// Tables and columns as the device writes them; the guid defaults of the device (a function of
// its own) are given explicitly instead.
constexpr const char* kCommonSchema =
    "CREATE TABLE _SqliteDatabaseProperties (key TEXT, value TEXT, UNIQUE(key));"
    "CREATE TABLE ABStore (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, "
    "ExternalIdentifier TEXT, Type INTEGER, ConstraintsPath TEXT, ExternalModificationTag TEXT, "
    "ExternalSyncTag TEXT, StoreInternalIdentifier TEXT, AccountID INTEGER DEFAULT -1, Enabled "
    "INTEGER DEFAULT 1, SyncData BLOB, MeIdentifier INTEGER DEFAULT -1, Capabilities INTEGER "
    "DEFAULT 0, guid TEXT NOT NULL, LastSyncDate TEXT, UNIQUE(StoreInternalIdentifier), "
    "UNIQUE(guid));"
    "CREATE TABLE ABAccount (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, AccountIdentifier TEXT, "
    "Flags INTEGER, DefaultSourceID INTEGER, guid TEXT NOT NULL, UNIQUE(guid));"
    "CREATE TABLE ABGroup (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, ExternalIdentifier "
    "TEXT, StoreID INTEGER, ExternalModificationTag TEXT, ExternalRepresentation BLOB, "
    "ExternalUUID TEXT, guid TEXT NOT NULL, UNIQUE(guid));"
    "CREATE TABLE ABGroupMembers (UID INTEGER PRIMARY KEY, group_id INTEGER, member_type INTEGER, "
    "member_id INTEGER, UNIQUE(group_id, member_type, member_id));"
    "CREATE TABLE ABMultiValue (UID INTEGER PRIMARY KEY, record_id INTEGER, property INTEGER, "
    "identifier INTEGER, label INTEGER, value TEXT, guid TEXT NOT NULL, UNIQUE(guid));"
    "CREATE INDEX ABMultiValueRecordIDIndex on ABMultiValue(record_id);"
    "CREATE INDEX ABMultiValueLabelIndex ON ABMultiValue(label);"
    "CREATE TABLE ABMultiValueLabel (value TEXT, UNIQUE(value));"
    "CREATE TABLE ABMultiValueEntry (parent_id INTEGER, key INTEGER, value TEXT, "
    "UNIQUE(parent_id, key));"
    "CREATE TABLE ABMultiValueEntryKey (value TEXT, UNIQUE(value));"
    "CREATE TABLE ABPhoneLastFour (multivalue_id INTEGER PRIMARY KEY, value TEXT);"
    "CREATE TABLE ABPersonLink (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, PreferredImagePersonID "
    "INTEGER DEFAULT -1, PreferredNamePersonID INTEGER DEFAULT -1, guid TEXT NOT NULL, "
    "UNIQUE(guid));";

// The person table's columns up to IsPreferredName, the same in both layouts; each layout
// ends the table (and writes its search table) its own way.
constexpr const char* kPersonTableStart =
    "CREATE TABLE ABPerson (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, First TEXT, Last TEXT, Middle "
    "TEXT, FirstPhonetic TEXT, MiddlePhonetic TEXT, LastPhonetic TEXT, Organization TEXT, "
    "Department TEXT, Note TEXT, Kind INTEGER, Birthday TEXT, JobTitle TEXT, Nickname TEXT, "
    "Prefix TEXT, Suffix TEXT, FirstSort TEXT, LastSort TEXT, CreationDate INTEGER, "
    "ModificationDate INTEGER, CompositeNameFallback TEXT, ExternalIdentifier TEXT, "
    "ExternalModificationTag TEXT, ExternalUUID TEXT, StoreID INTEGER, DisplayName TEXT, "
    "ExternalRepresentation BLOB, FirstSortSection TEXT, LastSortSection TEXT, "
    "FirstSortLanguageIndex INTEGER DEFAULT 2147483647, LastSortLanguageIndex INTEGER DEFAULT "
    "2147483647, PersonLink INTEGER DEFAULT -1, ImageURI TEXT, IsPreferredName INTEGER DEFAULT 1";

constexpr const char* kNewerPersonTableRest =
    ", guid TEXT NOT NULL, PhonemeData TEXT, AlternateBirthday TEXT, MapsData TEXT, "
    "FirstPronunciation TEXT, MiddlePronunciation TEXT, LastPronunciation TEXT, "
    "OrganizationPhonetic TEXT, OrganizationPronunciation TEXT, PreviousFamilyName TEXT, "
    "PreferredLikenessSource TEXT, PreferredPersonaIdentifier TEXT, PreferredChannel TEXT, "
    "DowntimeWhitelist TEXT, ImageType TEXT, ImageHash BLOB, MemojiMetadata BLOB, UNIQUE(guid));"
    "CREATE VIRTUAL TABLE ABPersonFullTextSearch USING fts4(First, Last, Middle, FirstPhonetic, "
    "MiddlePhonetic, LastPhonetic, Organization, OrganizationPhonetic, Department, Note, "
    "Birthday, JobTitle, Nickname, Prefix, Suffix, DisplayName, Phone, Email, Address, "
    "SocialProfile, URL, RelatedNames, IM, Date, SupplementalCompositeNameTerms);";

constexpr const char* kOlderPersonTableRest = ", guid TEXT, PhonemeData TEXT, UNIQUE(guid));";
constexpr const char* kOlderSearchTable =
    "CREATE VIRTUAL TABLE ABPersonFullTextSearch USING fts4(First, Last, Middle, FirstPhonetic, "
    "MiddlePhonetic, LastPhonetic, Organization, Department, Note, Birthday, JobTitle, Nickname, "
    "Prefix, Suffix, DisplayName, Phone, Email, Address, SocialProfile, URL, RelatedNames, IM, "
    "Date);";

constexpr const char* kLabels[] = {"_$!<Mobile>!$_", "_$!<Home>!$_",     "_$!<Main>!$_",
                                   "_$!<Work>!$_",   "_$!<HomePage>!$_", "iPhone"};

// Properties of ABMultiValue rows.
constexpr int kPhoneProperty = 3;
constexpr int kEmailProperty = 4;
constexpr int kUrlProperty = 22;

int LabelId(const std::string& label) {
  for (int i = 0; i < static_cast<int>(std::size(kLabels)); ++i) {
    if (label == kLabels[i]) {
      return i + 1;
    }
  }
  return 1;
}

// "+44 7700 900123" for a number typed "07700 900123" whose E.164 form is "+447700900123": the
// country code, then the national number without its trunk prefix.
std::string InternationalForm(const SamplePhone& phone) {
  std::string national;
  for (char c : phone.national) {
    if (c >= '0' && c <= '9') {
      national += c;
    }
  }
  size_t first = phone.national.find_first_of("0123456789");
  std::string typed = first == std::string::npos ? phone.national : phone.national.substr(first);
  if (!national.empty() && national[0] == '0') {
    national.erase(0, 1);
    typed.erase(0, 1);
  }
  std::string digits = phone.e164.substr(1);
  if (national.empty() || !digits.ends_with(national) || digits.size() == national.size()) {
    return phone.e164;
  }
  return "+" + digits.substr(0, digits.size() - national.size()) + " " + typed;
}

std::string SortSection(const SamplePerson& person) {
  std::string name = person.first.value_or("") + person.last.value_or("");
  if (name.empty()) {
    name = person.organization.value_or("#");
  }
  char c = name.empty() ? '#' : name[0];
  return std::string(1, (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
}

}  // namespace

std::string MakeAddressBookDatabase(const std::vector<SamplePerson>& people, int layout,
                                    int64_t createdAt) {
  const bool newer = layout == kNewerContactsLayout;
  const bool searchTable = layout != kNoSearchTableContactsLayout;
  SqliteWriter db;
  db.Exec(kCommonSchema);
  db.Exec(std::string(kPersonTableStart) + (newer ? kNewerPersonTableRest : kOlderPersonTableRest));
  if (!newer && searchTable) {
    db.Exec(kOlderSearchTable);
  }
  db.Exec("BEGIN;");
  db.Exec(
      "INSERT INTO _SqliteDatabaseProperties VALUES ('_ClientVersion', '83'), "
      "('SortingCacheLanguage', 'en-US'), ('DefaultStore', '1'), ('MeSourceID', '1');"
      "INSERT INTO ABStore (ROWID, Name, Type, StoreInternalIdentifier, guid) VALUES "
      "(1, 'Local', 0, 'LocalStore', '5B1D0A7E-0C55-4E5B-9E51-3A6B1F0F2A01');"
      "INSERT INTO ABAccount (ROWID, AccountIdentifier, Flags, DefaultSourceID, guid) VALUES "
      "(1, 'local', 0, 1, 'C1E9F0A2-7B3D-4A61-8D2E-5F4B3C2A1B00');"
      "INSERT INTO ABGroup (ROWID, Name, StoreID, guid) VALUES "
      "(1, 'Family', 1, 'F4A2B3C1-0D9E-4F8A-B7C6-D5E4F3A2B100');");
  for (const char* label : kLabels) {
    SqlStatement(db, "INSERT INTO ABMultiValueLabel VALUES (?);").Run({label});
  }
  const int64_t createdSince2001 = createdAt - kReferenceDateOffset;
  SqlStatement person(db, newer
                              ? "INSERT INTO ABPerson (ROWID, First, Last, Organization, Kind, "
                                "CreationDate, ModificationDate, StoreID, FirstSortSection, "
                                "LastSortSection, guid, OrganizationPhonetic) VALUES "
                                "(?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, NULL);"
                              : "INSERT INTO ABPerson (ROWID, First, Last, Organization, Kind, "
                                "CreationDate, ModificationDate, StoreID, FirstSortSection, "
                                "LastSortSection, guid) VALUES (?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?);");
  SqlStatement value(db,
                     "INSERT INTO ABMultiValue (UID, record_id, property, identifier, label, "
                     "value, guid) VALUES (?, ?, ?, ?, ?, ?, ?);");
  SqlStatement lastFour(db, "INSERT INTO ABPhoneLastFour VALUES (?, ?);");
  SqlStatement member(db,
                      "INSERT INTO ABGroupMembers (group_id, member_type, member_id) VALUES "
                      "(1, 0, ?);");
  std::optional<SqlStatement> search;
  if (searchTable) {
    search.emplace(db,
                   "INSERT INTO ABPersonFullTextSearch (docid, First, Last, Organization, Phone, "
                   "Email, URL) VALUES (?, ?, ?, ?, ?, ?, ?);");
  }
  int64_t uid = 0;
  for (size_t i = 0; i < people.size(); ++i) {
    const SamplePerson& entry = people[i];
    const int64_t rowId = static_cast<int64_t>(i) + 1;
    const bool organizationOnly = !entry.first && !entry.last && entry.organization.has_value();
    person.Run({rowId, entry.first, entry.last, entry.organization, organizationOnly ? 1 : 0,
                createdSince2001 + rowId * 61, createdSince2001 + rowId * 97, SortSection(entry),
                SortSection(entry), UpperUuid(rowId, 0xAB)});
    auto addValue = [&](int property, int identifier, int label, const std::string& text) {
      ++uid;
      value.Run({uid, rowId, property, identifier, label, text, UpperUuid(uid, 0xAC)});
      return uid;
    };
    for (size_t p = 0; p < entry.phones.size(); ++p) {
      const SamplePhone& phone = entry.phones[p];
      int64_t id = addValue(kPhoneProperty, static_cast<int>(p), LabelId(phone.label),
                            searchTable ? phone.national : InternationalForm(phone));
      lastFour.Run({id, phone.e164.substr(phone.e164.size() - 4)});
    }
    for (size_t e = 0; e < entry.emails.size(); ++e) {
      addValue(kEmailProperty, static_cast<int>(e), LabelId("_$!<Home>!$_"), entry.emails[e]);
    }
    for (size_t u = 0; u < entry.urls.size(); ++u) {
      addValue(kUrlProperty, static_cast<int>(u), LabelId("_$!<HomePage>!$_"), entry.urls[u]);
    }
    if (i % 7 == 0) {
      member.Run({rowId});
    }
    // The device leaves a search column NULL when the entry has nothing for it.
    auto searchText = [](const std::string& text) {
      return text.empty() ? SqlValue() : SqlValue(text);
    };
    if (search) {
      search->Run({rowId, entry.first, entry.last, entry.organization,
                   searchText(PhoneSearchText(entry)), searchText(JoinedWithBlanks(entry.emails)),
                   searchText(JoinedWithBlanks(entry.urls))});
    }
  }
  db.Exec("COMMIT;");
  return db.Bytes();
}

void AddAddressBook(SampleBackup& backup, const std::vector<SamplePerson>& people, int layout) {
  backup.AddFile(
      "HomeDomain", "Library/AddressBook/AddressBook.sqlitedb",
      MakeAddressBookDatabase(people, layout, backup.device().lastBackupDate - 400 * 86400));
}

}  // namespace zbe::mkbackup
