#include "tools/mkbackup/WhatsAppDatabase.h"

#include <optional>

#include "records/ReferenceDates.h"
#include "tools/mkbackup/SampleText.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kChatSchema =
    "CREATE TABLE ZWACHATSESSION ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZARCHIVED INTEGER, ZCONTACTABID INTEGER, ZFLAGS INTEGER, ZHIDDEN INTEGER, "
    "ZIDENTITYVERIFICATIONEPOCH INTEGER, ZIDENTITYVERIFICATIONSTATE INTEGER, ZMESSAGECOUNTER "
    "INTEGER, ZREMOVED INTEGER, ZSESSIONTYPE INTEGER, ZSPOTLIGHTSTATUS INTEGER, ZUNREADCOUNT "
    "INTEGER, ZGROUPINFO INTEGER, ZLASTMESSAGE INTEGER, ZPROPERTIES INTEGER, ZLASTMESSAGEDATE "
    "TIMESTAMP, ZLOCATIONSHARINGENDDATE TIMESTAMP, ZCONTACTIDENTIFIER VARCHAR, ZCONTACTJID "
    "VARCHAR, ZETAG VARCHAR, ZLASTMESSAGETEXT VARCHAR, ZPARTNERNAME VARCHAR, ZSAVEDINPUT VARCHAR "
    ");"
    "CREATE INDEX Z_WAChatSession_byContactJIDIndex ON ZWACHATSESSION (ZCONTACTJID COLLATE BINARY "
    "ASC);"
    "CREATE TABLE ZWAGROUPINFO ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZSTATE "
    "INTEGER, ZCHATSESSION INTEGER, ZLASTMESSAGEOWNER INTEGER, ZCREATIONDATE TIMESTAMP, "
    "ZSUBJECTTIMESTAMP TIMESTAMP, ZCREATORJID VARCHAR, ZOWNERJID VARCHAR, ZPICTUREID VARCHAR, "
    "ZPICTUREPATH VARCHAR, ZSOURCEJID VARCHAR, ZSUBJECTOWNERJID VARCHAR );"
    "CREATE TABLE ZWAGROUPMEMBER ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZCONTACTABID INTEGER, ZISACTIVE INTEGER, ZISADMIN INTEGER, ZSENDERKEYSENT INTEGER, "
    "ZCHATSESSION INTEGER, ZRECENTGROUPCHAT INTEGER, ZCONTACTIDENTIFIER VARCHAR, ZCONTACTNAME "
    "VARCHAR, ZFIRSTNAME VARCHAR, ZMEMBERJID VARCHAR );"
    "CREATE INDEX ZWAGROUPMEMBER_ZCHATSESSION_INDEX ON ZWAGROUPMEMBER (ZCHATSESSION);"
    "CREATE TABLE ZWAMESSAGE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZCHILDMESSAGESDELIVEREDCOUNT INTEGER, ZCHILDMESSAGESPLAYEDCOUNT INTEGER, "
    "ZCHILDMESSAGESREADCOUNT INTEGER, ZDATAITEMVERSION INTEGER, ZDOCID INTEGER, ZENCRETRYCOUNT "
    "INTEGER, ZFILTEREDRECIPIENTCOUNT INTEGER, ZFLAGS INTEGER, ZGROUPEVENTTYPE INTEGER, ZISFROMME "
    "INTEGER, ZMESSAGEERRORSTATUS INTEGER, ZMESSAGESTATUS INTEGER, ZMESSAGETYPE INTEGER, ZSORT "
    "INTEGER, ZSPOTLIGHTSTATUS INTEGER, ZSTARRED INTEGER, ZCHATSESSION INTEGER, ZGROUPMEMBER "
    "INTEGER, ZLASTSESSION INTEGER, ZMEDIAITEM INTEGER, ZMESSAGEINFO INTEGER, ZPARENTMESSAGE "
    "INTEGER, ZMESSAGEDATE TIMESTAMP, ZSENTDATE TIMESTAMP, ZFROMJID VARCHAR, ZMEDIASECTIONID "
    "VARCHAR, ZPHASH VARCHAR, ZPUSHNAME VARCHAR, ZSTANZAID VARCHAR, ZTEXT VARCHAR, ZTOJID VARCHAR "
    ");"
    "CREATE INDEX ZWAMESSAGE_ZCHATSESSION_INDEX ON ZWAMESSAGE (ZCHATSESSION);"
    "CREATE INDEX ZWAMESSAGE_ZMEDIAITEM_INDEX ON ZWAMESSAGE (ZMEDIAITEM);"
    "CREATE TABLE ZWAMEDIAITEM ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZCLOUDSTATUS INTEGER, ZFILESIZE INTEGER, ZMEDIAORIGIN INTEGER, ZMOVIEDURATION INTEGER, "
    "ZMESSAGE INTEGER, ZASPECTRATIO FLOAT, ZHACCURACY FLOAT, ZLATITUDE FLOAT, ZLONGITUDE FLOAT, "
    "ZMEDIAURLDATE TIMESTAMP, ZAUTHORNAME VARCHAR, ZCOLLECTIONNAME VARCHAR, ZMEDIALOCALPATH "
    "VARCHAR, ZMEDIAURL VARCHAR, ZTHUMBNAILLOCALPATH VARCHAR, ZTITLE VARCHAR, ZVCARDNAME VARCHAR, "
    "ZVCARDSTRING VARCHAR, ZXMPPTHUMBPATH VARCHAR, ZMEDIAKEY BLOB, ZMETADATA BLOB );"
    "CREATE INDEX ZWAMEDIAITEM_ZMESSAGE_INDEX ON ZWAMEDIAITEM (ZMESSAGE);"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
    "Z_MAX INTEGER);"
    "CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);"
    "CREATE TABLE Z_MODELCACHE (Z_CONTENT BLOB);";

constexpr const char* kContactsSchema =
    "CREATE TABLE ZWAADDRESSBOOKCONTACT ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZABUSERID INTEGER, ZSTATUSDATE TIMESTAMP, ZFULLNAME VARCHAR, ZGIVENNAME VARCHAR, "
    "ZHIGHLIGHTEDNAME VARCHAR, ZIDENTIFIER VARCHAR, ZLASTNAME VARCHAR, ZPHONENUMBER VARCHAR, "
    "ZPHONENUMBERLABEL VARCHAR, ZSTATUS VARCHAR, ZWHATSAPPID VARCHAR );"
    "CREATE INDEX Z_WAAddressBookContact_byWhatsAppID ON ZWAADDRESSBOOKCONTACT (ZWHATSAPPID);"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
    "Z_MAX INTEGER);"
    "CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);";

// ZMESSAGETYPE values.
constexpr int kTextMessage = 0;
constexpr int kImageMessage = 1;
constexpr int kVideoMessage = 2;

std::string JidOf(const SamplePhone& phone) {
  return phone.e164.substr(1) + "@s.whatsapp.net";
}

std::string DisplayName(const SamplePerson& person) {
  std::string name = person.first.value_or("");
  if (person.last && !person.last->empty()) {
    name += (name.empty() ? "" : " ") + *person.last;
  }
  return name.empty() ? person.organization.value_or("") : name;
}

struct Member {
  int64_t pk = 0;
  std::string jid;
  std::optional<std::string> contactName;  // NULL when the phone does not know the member
  std::string pushName;                    // what the member calls themselves
};

struct Chat {
  int64_t pk = 0;
  std::string jid;
  std::string partnerName;
  bool group = false;
  std::vector<Member> members;
};

class ChatWriter {
 public:
  ChatWriter(SqliteWriter& db, const WhatsAppSample& sample)
      : random_(sample.seed * 1103515245u + 12345),
        chat_(db,
              "INSERT INTO ZWACHATSESSION (Z_PK, Z_ENT, Z_OPT, ZARCHIVED, ZHIDDEN, "
              "ZREMOVED, ZSESSIONTYPE, ZUNREADCOUNT, ZGROUPINFO, ZCONTACTJID, ZPARTNERNAME) "
              "VALUES (?, 4, 1, 0, 0, 0, ?, 0, ?, ?, ?);"),
        groupInfo_(db,
                   "INSERT INTO ZWAGROUPINFO (Z_PK, Z_ENT, Z_OPT, ZSTATE, ZCHATSESSION, "
                   "ZCREATIONDATE, ZCREATORJID, ZOWNERJID) VALUES (?, 6, 1, 0, ?, ?, ?, ?);"),
        member_(db,
                "INSERT INTO ZWAGROUPMEMBER (Z_PK, Z_ENT, Z_OPT, ZISACTIVE, ZISADMIN, "
                "ZCHATSESSION, ZCONTACTNAME, ZFIRSTNAME, ZMEMBERJID) VALUES "
                "(?, 7, 1, 1, ?, ?, ?, ?, ?);"),
        message_(db,
                 "INSERT INTO ZWAMESSAGE (Z_PK, Z_ENT, Z_OPT, ZISFROMME, ZMESSAGESTATUS, "
                 "ZMESSAGETYPE, ZSORT, ZCHATSESSION, ZGROUPMEMBER, ZMEDIAITEM, ZMESSAGEDATE, "
                 "ZSENTDATE, ZFROMJID, ZPUSHNAME, ZSTANZAID, ZTEXT, ZTOJID) VALUES "
                 "(?, 9, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);"),
        media_(db,
               "INSERT INTO ZWAMEDIAITEM (Z_PK, Z_ENT, Z_OPT, ZFILESIZE, ZMOVIEDURATION, "
               "ZMESSAGE, ZMEDIALOCALPATH, ZTITLE) VALUES (?, 8, 1, ?, ?, ?, ?, ?);") {}

  Chat& AddChat(const std::string& jid, const std::string& partnerName, bool group) {
    Chat chat;
    chat.pk = static_cast<int64_t>(chats_.size()) + 1;
    chat.jid = jid;
    chat.partnerName = partnerName;
    chat.group = group;
    chat_.Run({chat.pk, group ? 1 : 0, group ? SqlValue(chat.pk) : SqlValue(), jid, partnerName});
    if (group) {
      groupInfo_.Run({chat.pk, chat.pk, 600000000.0, "447700900123@s.whatsapp.net",
                      "447700900123@s.whatsapp.net"});
    }
    chats_.push_back(std::move(chat));
    return chats_.back();
  }

  void AddMember(Chat& chat, const std::string& jid, std::optional<std::string> contactName,
                 std::string pushName) {
    Member member{++memberCount_, jid, std::move(contactName), std::move(pushName)};
    member_.Run({member.pk, chat.members.empty() ? 1 : 0, chat.pk, member.contactName,
                 member.contactName, jid});
    chat.members.push_back(std::move(member));
  }

  // A message of the chat with key "chatPk" (NULL when 0); "member" is the sender in a group.
  // A media message gets an item titled "title" (none when absent) and keeps "text".
  int64_t AddMessage(int64_t chatPk, const Chat* chat, const Member* member, bool fromMe,
                     std::optional<std::string> text, double when, int type = kTextMessage,
                     std::optional<std::string> title = std::nullopt) {
    int64_t pk = ++messageCount_;
    int64_t mediaPk = 0;
    if (type != kTextMessage) {
      mediaPk = ++mediaCount_;
      std::string folder = chat != nullptr ? chat->jid : "unknown";
      std::string path = "Media/" + folder + "/" + std::to_string(pk % 10) + "/" +
                         std::to_string(pk % 7) + "/" + UpperUuid(pk, 0x3ED1A) +
                         (type == kVideoMessage ? ".mp4" : ".jpg");
      media_.Run(
          {mediaPk, 20000 + static_cast<int64_t>(random_.Below(2000000)),
           type == kVideoMessage ? SqlValue(1 + static_cast<int>(random_.Below(60))) : SqlValue(0),
           pk, path, title});
    }
    std::string from = chat == nullptr ? "" : chat->jid;
    message_.Run({pk, fromMe ? 1 : 0, fromMe ? 8 : 13, type, pk,
                  chatPk == 0 ? SqlValue() : SqlValue(chatPk),
                  member != nullptr ? SqlValue(member->pk) : SqlValue(),
                  mediaPk != 0 ? SqlValue(mediaPk) : SqlValue(), when, when - 1.5,
                  fromMe ? SqlValue() : SqlValue(from),
                  !fromMe && member != nullptr ? SqlValue(member->pushName) : SqlValue(),
                  UpperUuid(pk, 0x57A2).substr(0, 20), text, fromMe ? SqlValue(from) : SqlValue()});
    return pk;
  }

  std::vector<Chat>& chats() { return chats_; }
  SampleRandom& random() { return random_; }

 private:
  SampleRandom random_;
  SqlStatement chat_;
  SqlStatement groupInfo_;
  SqlStatement member_;
  SqlStatement message_;
  SqlStatement media_;
  std::vector<Chat> chats_;
  int64_t memberCount_ = 0;
  int64_t messageCount_ = 0;
  int64_t mediaCount_ = 0;
};

const SamplePerson* WithPhone(const std::vector<SamplePerson>& people, size_t index) {
  for (size_t i = index; i < people.size(); ++i) {
    if (!people[i].phones.empty()) {
      return &people[i];
    }
  }
  return nullptr;
}

}  // namespace

std::string MakeWhatsAppChatDatabase(const std::vector<SamplePerson>& people,
                                     const WhatsAppSample& sample) {
  SqliteWriter db;
  db.Exec(kChatSchema);
  db.Exec("BEGIN;");
  ChatWriter writer(db, sample);
  SampleRandom& random = writer.random();

  // One-to-one chats with people who use WhatsApp: the first of the cast, then more as the
  // sample grows.
  const size_t direct = std::min(people.size(), static_cast<size_t>(6 + 4 * sample.scale));
  for (size_t i = 0; i < direct; ++i) {
    const SamplePerson* person = WithPhone(people, i);
    if (person == nullptr) {
      break;
    }
    writer.AddChat(JidOf(person->phones[0]), DisplayName(*person), false);
  }
  size_t firstGroup = writer.chats().size();
  // Group chats: members the phone knows by name, members it does not, push names that hold the
  // member's number and push names that are just names.
  const int groups = 2 + sample.scale;
  for (int g = 0; g < groups; ++g) {
    std::string name = g == 0   ? "Family 🏡"
                       : g == 1 ? "Hiking / Climbing"
                                : "Team " + std::to_string(g);
    Chat& chat = writer.AddChat("1203630" + random.Digits(11) + "@g.us", name, true);
    for (int m = 0; m < 3 + g % 3; ++m) {
      const SamplePerson* person =
          WithPhone(people, random.Below(static_cast<uint32_t>(people.size())));
      if (person == nullptr) {
        continue;
      }
      const SamplePhone& phone = person->phones[0];
      bool known = m % 3 != 2;
      std::string pushName = m % 2 == 0 ? phone.e164 : "~" + person->first.value_or("Someone");
      writer.AddMember(chat, JidOf(phone),
                       known ? std::optional<std::string>(DisplayName(*person)) : std::nullopt,
                       pushName);
    }
  }
  std::vector<Chat>& chats = writer.chats();

  const double end = static_cast<double>(sample.lastMessageAt - kReferenceDateOffset);
  const double start = end - 365 * 86400.0;
  const int total = 60 * sample.scale;
  for (int i = 0; i < total; ++i) {
    Chat& chat = chats[random.Below(static_cast<uint32_t>(chats.size()))];
    bool fromMe = random.Below(2) == 0;
    const Member* member = nullptr;
    if (chat.group && !fromMe && !chat.members.empty()) {
      member = &chat.members[random.Below(static_cast<uint32_t>(chat.members.size()))];
    }
    double when = start + (end - start - 86400) * i / total + random.Below(3600) +
                  random.Below(1000000) / 1000000.0;
    uint32_t kind = random.Below(10);
    if (kind == 0) {
      writer.AddMessage(
          chat.pk, &chat, member, fromMe, std::nullopt, when, kImageMessage,
          random.Below(2) == 0 ? std::optional<std::string>("Beach day 🏖️") : std::nullopt);
    } else if (kind == 1) {
      writer.AddMessage(chat.pk, &chat, member, fromMe, std::nullopt, when, kVideoMessage,
                        "Birthday / candles");
    } else {
      writer.AddMessage(chat.pk, &chat, member, fromMe, ChatLine(random), when);
    }
  }
  // The edge cases, in the last day.
  Chat& family = chats[firstGroup];
  double last = end - 3600;
  writer.AddMessage(family.pk, &family, family.members.empty() ? nullptr : &family.members[0],
                    false, "Photo from the lake", last, kImageMessage, "Lake.jpg");
  writer.AddMessage(family.pk, &family, nullptr, true, "", last + 60, kImageMessage, "Sunset");
  writer.AddMessage(999, nullptr, nullptr, false, "From a chat that is gone", last + 120);
  writer.AddMessage(0, nullptr, nullptr, false, "Without a chat", last + 180);
  writer.AddMessage(chats[0].pk, &chats[0], nullptr, true, std::nullopt, last + 240, kImageMessage);

  db.Exec(
      "INSERT INTO Z_PRIMARYKEY VALUES (4, 'WAChatSession', 0, (SELECT count(*) FROM "
      "ZWACHATSESSION)), (6, 'WAGroupInfo', 0, (SELECT count(*) FROM ZWAGROUPINFO)), "
      "(7, 'WAGroupMember', 0, (SELECT count(*) FROM ZWAGROUPMEMBER)), (8, 'WAMediaItem', 0, "
      "(SELECT count(*) FROM ZWAMEDIAITEM)), (9, 'WAMessage', 0, (SELECT count(*) FROM "
      "ZWAMESSAGE));"
      "INSERT INTO Z_METADATA VALUES (1, 'D4F6B8C0-3E5A-4C7D-9F1B-4A6E8C0D2F3B', NULL);");
  db.Exec("COMMIT;");
  return db.Bytes();
}

std::string MakeWhatsAppContactsDatabase(const std::vector<SamplePerson>& people) {
  SqliteWriter db;
  db.Exec(kContactsSchema);
  db.Exec("BEGIN;");
  SqlStatement contact(db,
                       "INSERT INTO ZWAADDRESSBOOKCONTACT (Z_PK, Z_ENT, Z_OPT, ZABUSERID, "
                       "ZFULLNAME, ZGIVENNAME, ZIDENTIFIER, ZLASTNAME, ZPHONENUMBER, "
                       "ZPHONENUMBERLABEL, ZWHATSAPPID) VALUES (?, 1, 1, ?, ?, ?, ?, ?, ?, ?, ?);");
  int64_t pk = 0;
  for (size_t i = 0; i < people.size(); ++i) {
    const SamplePerson& person = people[i];
    for (const SamplePhone& phone : person.phones) {
      ++pk;
      contact.Run({pk, static_cast<int64_t>(i) + 1, DisplayName(person), person.first,
                   UpperUuid(pk, 0xC0DE), person.last, phone.national, phone.label, JidOf(phone)});
    }
  }
  db.Exec(
      "INSERT INTO Z_PRIMARYKEY VALUES (1, 'WAAddressBookContact', 0, (SELECT count(*) FROM "
      "ZWAADDRESSBOOKCONTACT));");
  db.Exec("COMMIT;");
  return db.Bytes();
}

void AddWhatsAppDatabases(SampleBackup& backup, const std::vector<SamplePerson>& people,
                          const WhatsAppSample& sample) {
  backup.AddFile(kWhatsAppSharedDomain, "ChatStorage.sqlite",
                 MakeWhatsAppChatDatabase(people, sample));
  backup.AddFile(kWhatsAppSharedDomain, "Contacts.sqlite", MakeWhatsAppContactsDatabase(people));
}

}  // namespace zbe::mkbackup
