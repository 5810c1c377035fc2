#include "tools/mkbackup/MessagesDatabase.h"

#include <map>
#include <optional>

#include "records/ReferenceDates.h"
#include "tools/mkbackup/AttributedBodyArchive.h"
#include "tools/mkbackup/SampleText.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE _SqliteDatabaseProperties (key TEXT, value TEXT, UNIQUE(key));"
    "CREATE TABLE deleted_messages (ROWID INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE, guid TEXT NOT "
    "NULL);"
    "CREATE TABLE chat_handle_join (chat_id INTEGER REFERENCES chat (ROWID) ON DELETE CASCADE, "
    "handle_id INTEGER REFERENCES handle (ROWID) ON DELETE CASCADE, UNIQUE(chat_id, handle_id));"
    "CREATE TABLE handle (ROWID INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE, id TEXT NOT NULL, "
    "country TEXT, service TEXT NOT NULL, uncanonicalized_id TEXT, person_centric_id TEXT, "
    "UNIQUE (id, service));"
    "CREATE TABLE message_attachment_join (message_id INTEGER REFERENCES message (ROWID) ON "
    "DELETE CASCADE, attachment_id INTEGER REFERENCES attachment (ROWID) ON DELETE CASCADE, "
    "UNIQUE(message_id, attachment_id));"
    "CREATE TABLE chat_message_join (chat_id INTEGER REFERENCES chat (ROWID) ON DELETE CASCADE, "
    "message_id INTEGER REFERENCES message (ROWID) ON DELETE CASCADE, message_date INTEGER "
    "DEFAULT 0, PRIMARY KEY (chat_id, message_id));"
    "CREATE TABLE message (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, guid TEXT UNIQUE NOT NULL, "
    "text TEXT, replace INTEGER DEFAULT 0, service_center TEXT, handle_id INTEGER DEFAULT 0, "
    "subject TEXT, country TEXT, attributedBody BLOB, version INTEGER DEFAULT 0, type INTEGER "
    "DEFAULT 0, service TEXT, account TEXT, account_guid TEXT, error INTEGER DEFAULT 0, date "
    "INTEGER, date_read INTEGER, date_delivered INTEGER, is_delivered INTEGER DEFAULT 0, "
    "is_finished INTEGER DEFAULT 0, is_emote INTEGER DEFAULT 0, is_from_me INTEGER DEFAULT 0, "
    "is_empty INTEGER DEFAULT 0, is_delayed INTEGER DEFAULT 0, is_auto_reply INTEGER DEFAULT 0, "
    "is_prepared INTEGER DEFAULT 0, is_read INTEGER DEFAULT 0, is_system_message INTEGER DEFAULT "
    "0, is_sent INTEGER DEFAULT 0, has_dd_results INTEGER DEFAULT 0, is_service_message INTEGER "
    "DEFAULT 0, is_forward INTEGER DEFAULT 0, was_downgraded INTEGER DEFAULT 0, is_archive "
    "INTEGER DEFAULT 0, cache_has_attachments INTEGER DEFAULT 0, cache_roomnames TEXT, "
    "was_data_detected INTEGER DEFAULT 0, was_deduplicated INTEGER DEFAULT 0, is_audio_message "
    "INTEGER DEFAULT 0, is_played INTEGER DEFAULT 0, date_played INTEGER, item_type INTEGER "
    "DEFAULT 0, other_handle INTEGER DEFAULT 0, group_title TEXT, group_action_type INTEGER "
    "DEFAULT 0, share_status INTEGER DEFAULT 0, share_direction INTEGER DEFAULT 0, is_expirable "
    "INTEGER DEFAULT 0, expire_state INTEGER DEFAULT 0, message_action_type INTEGER DEFAULT 0, "
    "message_source INTEGER DEFAULT 0, associated_message_guid TEXT, associated_message_type "
    "INTEGER DEFAULT 0, balloon_bundle_id TEXT, payload_data BLOB, expressive_send_style_id "
    "TEXT, associated_message_range_location INTEGER DEFAULT 0, "
    "associated_message_range_length INTEGER DEFAULT 0, time_expressive_send_played INTEGER, "
    "message_summary_info BLOB, ck_sync_state INTEGER DEFAULT 0, ck_record_id TEXT, "
    "ck_record_change_tag TEXT, destination_caller_id TEXT, sr_ck_sync_state INTEGER DEFAULT 0, "
    "sr_ck_record_id TEXT, sr_ck_record_change_tag TEXT, is_corrupt INTEGER DEFAULT 0, "
    "reply_to_guid TEXT DEFAULT NULL, sort_id INTEGER DEFAULT 0, is_spam INTEGER DEFAULT 0, "
    "has_unseen_mention INTEGER DEFAULT 0, thread_originator_guid TEXT DEFAULT NULL, "
    "thread_originator_part TEXT DEFAULT NULL);"
    "CREATE TABLE chat (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, guid TEXT UNIQUE NOT NULL, style "
    "INTEGER, state INTEGER, account_id TEXT, properties BLOB, chat_identifier TEXT, "
    "service_name TEXT, room_name TEXT, account_login TEXT, is_archived INTEGER DEFAULT 0, "
    "last_addressed_handle TEXT, display_name TEXT, group_id TEXT, is_filtered INTEGER, "
    "successful_query INTEGER, engram_id TEXT, server_change_token TEXT, ck_sync_state INTEGER "
    "DEFAULT 0, original_group_id TEXT, last_read_message_timestamp INTEGER DEFAULT 0, "
    "ck_record_system_property_blob BLOB, sr_server_change_token TEXT, sr_ck_sync_state INTEGER "
    "DEFAULT 0, cloudkit_record_id TEXT, sr_cloudkit_record_id TEXT, last_addressed_sim_id TEXT, "
    "is_blackholed INTEGER DEFAULT 0);"
    "CREATE TABLE attachment (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, guid TEXT UNIQUE NOT NULL, "
    "created_date INTEGER DEFAULT 0, start_date INTEGER DEFAULT 0, filename TEXT, uti TEXT, "
    "mime_type TEXT, transfer_state INTEGER DEFAULT 0, is_outgoing INTEGER DEFAULT 0, user_info "
    "BLOB, transfer_name TEXT, total_bytes INTEGER DEFAULT 0, is_sticker INTEGER DEFAULT 0, "
    "sticker_user_info BLOB, attribution_info BLOB, hide_attachment INTEGER DEFAULT 0, "
    "ck_sync_state INTEGER DEFAULT 0, ck_server_change_token_blob BLOB, ck_record_id TEXT, "
    "original_guid TEXT UNIQUE NOT NULL);"
    "CREATE INDEX chat_message_join_idx_message_id_only ON chat_message_join(message_id);"
    "CREATE INDEX message_idx_handle ON message(handle_id, date);"
    "CREATE INDEX message_idx_date ON message(date);";

// What message.text holds of a message's text: the text itself, or, as devices since iOS 16
// keep most messages, NULL or an empty text, the words standing in attributedBody only.
enum class TextColumn { kText, kNull, kEmpty };

// chat.style of one-to-one and group conversations.
constexpr int kDirectStyle = 45;
constexpr int kGroupStyle = 43;

struct Handle {
  int64_t rowId = 0;
  std::string id;
  std::string service;
};

struct Chat {
  int64_t rowId = 0;
  std::string identifier;
  std::string displayName;
  std::string service;
  bool group = false;
  std::vector<int64_t> handles;  // rowIds of its members
};

class MessagesWriter {
 public:
  MessagesWriter(SqliteWriter& db, const MessagesSample& sample)
      : sample_(sample),
        random_(sample.seed * 40503u + 7),
        handle_(db,
                "INSERT INTO handle (ROWID, id, country, service, uncanonicalized_id) "
                "VALUES (?, ?, 'us', ?, ?);"),
        chat_(db,
              "INSERT INTO chat (ROWID, guid, style, state, account_id, chat_identifier, "
              "service_name, room_name, display_name, group_id, is_filtered, "
              "successful_query) VALUES (?, ?, ?, 3, ?, ?, ?, ?, ?, ?, 0, 1);"),
        chatHandle_(db, "INSERT INTO chat_handle_join VALUES (?, ?);"),
        message_(db,
                 "INSERT INTO message (ROWID, guid, text, attributedBody, handle_id, service, "
                 "account, date, date_read, date_delivered, is_delivered, is_finished, "
                 "is_from_me, is_read, is_sent, cache_roomnames) VALUES "
                 "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 1, ?, ?, ?, ?);"),
        join_(db, "INSERT INTO chat_message_join VALUES (?, ?, ?);") {}

  // The handle of "id" over "service", made when it is new (a handle is unique per service).
  // "isNew" tells which.
  int64_t AddHandle(const std::string& id, const std::string& service, bool* isNew = nullptr) {
    auto [known, inserted] =
        handleIds_.emplace(id + "\n" + service, static_cast<int64_t>(handles_.size()) + 1);
    if (isNew != nullptr) {
      *isNew = inserted;
    }
    if (inserted) {
      handle_.Run({known->second, id, service, id});
      handles_.push_back(Handle{known->second, id, service});
    }
    return known->second;
  }

  // A conversation with the handles "members" (one member: a one-to-one conversation).
  size_t AddChat(const std::vector<int64_t>& members, const std::string& displayName) {
    Chat chat;
    chat.rowId = static_cast<int64_t>(chats_.size()) + 1;
    chat.group = members.size() > 1;
    chat.handles = members;
    chat.service = handles_[members[0] - 1].service;
    chat.displayName = displayName;
    chat.identifier = chat.group ? "chat" + std::to_string(100000000 + random_.Below(900000000))
                                 : handles_[members[0] - 1].id;
    std::string guid = chat.service + (chat.group ? ";+;" : ";-;") + chat.identifier;
    chat_.Run({chat.rowId, guid, chat.group ? kGroupStyle : kDirectStyle, "p:0", chat.identifier,
               chat.service, chat.group ? SqlValue(chat.identifier) : SqlValue(), displayName,
               UpperUuid(chat.rowId, 0xC4A7)});
    for (int64_t member : members) {
      chatHandle_.Run({chat.rowId, member});
    }
    chats_.push_back(chat);
    return chats_.size() - 1;
  }

  // Adds a message of "chats" (conversation indexes; none for a message no conversation lists)
  // at "when" (seconds since 1970). The owner's messages in a group carry handle 0, received
  // ones the sender's handle. A text is archived in attributedBody too (devices since iOS 6 do,
  // but not the older ones that counted dates in seconds); "stored" says where the text
  // column stands.
  int64_t AddMessage(const std::vector<size_t>& chats, int64_t handleId, bool fromMe,
                     std::optional<std::string> text, int64_t when,
                     TextColumn stored = TextColumn::kText) {
    int64_t rowId = ++messageCount_;
    int64_t date = StoredDate(when);
    const Chat* first = chats.empty() ? nullptr : &chats_[chats[0]];
    std::string service = first != nullptr ? first->service : "SMS";
    SqlValue body;
    if (text && !sample_.legacyDates) {
      body = SqlValue::Blob(AttributedBodyArchive(*text));
    }
    SqlValue column = stored == TextColumn::kNull    ? SqlValue()
                      : stored == TextColumn::kEmpty ? SqlValue(std::string())
                                                     : SqlValue(text);
    message_.Run({rowId, UpperUuid(rowId, 0x5A5), column, body, handleId, service,
                  "E:owner@example.com", date, fromMe ? SqlValue(0) : SqlValue(date + Step(60)),
                  fromMe ? SqlValue(date + Step(2)) : SqlValue(0), fromMe ? 1 : 0, fromMe ? 0 : 1,
                  fromMe ? 1 : 0,
                  first != nullptr && first->group ? SqlValue(first->identifier) : SqlValue()});
    for (size_t chat : chats) {
      join_.Run({chats_[chat].rowId, rowId, date});
    }
    return rowId;
  }

  const Chat& chat(size_t index) const { return chats_[index]; }
  size_t chatCount() const { return chats_.size(); }
  SampleRandom& random() { return random_; }

 private:
  // message.date: nanoseconds since 2001, or seconds on older devices.
  int64_t StoredDate(int64_t unixSeconds) {
    int64_t seconds = unixSeconds - kReferenceDateOffset;
    if (sample_.legacyDates) {
      return seconds;
    }
    return seconds * 1000000000 + static_cast<int64_t>(random_.Below(1000000000));
  }
  // "seconds" in the unit of message.date.
  int64_t Step(int64_t seconds) const {
    return sample_.legacyDates ? seconds : seconds * 1000000000;
  }

  const MessagesSample& sample_;
  SampleRandom random_;
  SqlStatement handle_;
  SqlStatement chat_;
  SqlStatement chatHandle_;
  SqlStatement message_;
  SqlStatement join_;
  std::vector<Handle> handles_;
  std::map<std::string, int64_t> handleIds_;  // id and service -> rowId
  std::vector<Chat> chats_;
  int64_t messageCount_ = 0;
};

const SamplePerson* FindPerson(const std::vector<SamplePerson>& people, const char* first) {
  for (const SamplePerson& person : people) {
    if (person.first == first && !person.phones.empty()) {
      return &person;
    }
  }
  return nullptr;
}

}  // namespace

std::string MakeMessagesDatabase(const std::vector<SamplePerson>& people,
                                 const MessagesSample& sample) {
  SqliteWriter db;
  db.Exec(kSchema);
  db.Exec("BEGIN;");
  db.Exec(
      "INSERT INTO _SqliteDatabaseProperties VALUES ('counter_in_all', '0'), "
      "('_ClientVersion', '14006');");
  MessagesWriter writer(db, sample);
  SampleRandom& random = writer.random();

  // Conversations with the fixed cast, by number and by e-mail address, and with strangers.
  auto numberOf = [&](const char* first) {
    const SamplePerson* person = FindPerson(people, first);
    return person != nullptr ? person->phones[0].e164 : std::string("+15555550100");
  };
  int64_t ann = writer.AddHandle(numberOf("Ann"), "SMS");
  int64_t bob = writer.AddHandle(numberOf("Bob"), "iMessage");
  int64_t annMail = writer.AddHandle("ann.lee@example.com", "iMessage");
  int64_t stranger = writer.AddHandle("+15125550199", "SMS");
  int64_t shortCode = writer.AddHandle("72975", "SMS");
  int64_t zoe = writer.AddHandle(numberOf("Zoë 🌸"), "iMessage");
  int64_t jeanLuc = writer.AddHandle(numberOf("Jean/Luc"), "SMS");
  int64_t dana = writer.AddHandle(numberOf("Dana"), "iMessage");
  std::vector<size_t> direct;
  for (int64_t handle : {ann, bob, annMail, stranger, shortCode, zoe, jeanLuc, dana}) {
    direct.push_back(writer.AddChat({handle}, ""));
  }
  std::vector<size_t> groups = {writer.AddChat({ann, bob, dana}, "Family 🏡"),
                                writer.AddChat({zoe, jeanLuc, stranger}, "Climbing / Bouldering"),
                                writer.AddChat({bob, annMail}, "")};
  // More people write as the sample grows.
  const int extraPeople = 8 * sample.scale;
  std::vector<int64_t> extraHandles;
  for (int i = 0; i < extraPeople && i < static_cast<int>(people.size()); ++i) {
    const SamplePerson& person = people[people.size() - 1 - static_cast<size_t>(i)];
    bool isNew = false;
    int64_t handle =
        person.phones.empty()
            ? 0
            : writer.AddHandle(person.phones[0].e164, i % 3 == 0 ? "SMS" : "iMessage", &isNew);
    if (isNew) {
      extraHandles.push_back(handle);
      direct.push_back(writer.AddChat({handle}, ""));
    }
  }
  for (int g = 0; g + 2 < static_cast<int>(extraHandles.size()) && g < 2 * sample.scale; g += 1) {
    groups.push_back(writer.AddChat(
        {extraHandles[static_cast<size_t>(g)], extraHandles[static_cast<size_t>(g) + 1],
         extraHandles[static_cast<size_t>(g) + 2]},
        g % 2 == 0 ? "Team " + std::to_string(g + 1) : ""));
  }

  const int64_t end = sample.lastMessageAt;
  const int64_t start = end - 365 * 86400;
  const int total = 60 * sample.scale;
  auto when = [&](int i) {
    return start + (end - start - 86400) * i / total + static_cast<int64_t>(random.Below(3600));
  };

  // The edge cases first, in the first weeks of the year.
  writer.AddMessage({direct[0]}, ann, false, std::nullopt, start + 100);  // an attachment only
  writer.AddMessage({direct[0]}, ann, false, " ", start + 200);
  writer.AddMessage({direct[0]}, ann, true, "", start + 300);
  writer.AddMessage({direct[1], groups[0]}, bob, false, "Shared by two conversations", start + 400);
  writer.AddMessage({}, stranger, false, "Listed by no conversation", start + 500);
  writer.AddMessage({direct[3]}, 9999, false, "From a handle that is gone", start + 600);
  writer.AddMessage({groups[0]}, 0, true, "Dinner at ours on Sunday? 🍝", start + 700);
  writer.AddMessage({groups[0]}, dana, false, "Count me in / bringing dessert", start + 800);
  writer.AddMessage({direct[2]}, annMail, false, "Sent from my e-mail address ✉️", start + 900);
  writer.AddMessage({direct[4]}, shortCode, false, "Your code is 918273", start + 1000);
  // Newer devices: the words only in attributedBody.
  writer.AddMessage({direct[1]}, bob, false, "Only in the archive: see you at 8 ✨", start + 1100,
                    TextColumn::kNull);
  writer.AddMessage({direct[1]}, bob, true, "Archived, with an empty text column", start + 1200,
                    TextColumn::kEmpty);
  writer.AddMessage({groups[1]}, 0, true, "Owner to the climbers, archived only 🧗", start + 1300,
                    TextColumn::kNull);

  for (int i = 0; i < total; ++i) {
    bool inGroup = random.Below(5) == 0;
    size_t chatIndex = inGroup ? groups[random.Below(static_cast<uint32_t>(groups.size()))]
                               : direct[random.Below(static_cast<uint32_t>(direct.size()))];
    const Chat& chat = writer.chat(chatIndex);
    bool fromMe = random.Below(2) == 0;
    int64_t handle = chat.handles[random.Below(static_cast<uint32_t>(chat.handles.size()))];
    if (fromMe && chat.group) {
      handle = 0;
    }
    std::optional<std::string> text = ChatLine(random);
    if (random.Below(12) == 0) {
      text.reset();  // a photo or a sticker without words
    }
    // Most messages of a newer device keep their words in attributedBody only.
    TextColumn stored =
        !sample.legacyDates && random.Below(3) != 0 ? TextColumn::kNull : TextColumn::kText;
    writer.AddMessage({chatIndex}, handle, fromMe, text, when(i), stored);
  }
  db.Exec("COMMIT;");
  return db.Bytes();
}

void AddMessagesDatabase(SampleBackup& backup, const std::vector<SamplePerson>& people,
                         const MessagesSample& sample) {
  backup.AddFile("HomeDomain", "Library/SMS/sms.db", MakeMessagesDatabase(people, sample));
}

}  // namespace zbe::mkbackup
