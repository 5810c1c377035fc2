#include "records/MessagesReader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "records/AddressBookQuery.h"
#include "records/AttributedBodyText.h"
#include "records/Conversions.h"
#include "records/FirstContainingLookup.h"
#include "records/GroupByKey.h"
#include "records/OwnChatThreads.h"
#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"
#include "records/TextOrder.h"

namespace zbe {
namespace {

// A stored message.date text this long or longer counts nanoseconds; shorter ones count seconds.
constexpr size_t kNanosecondDateLength = 15;

// The largest page cache the messages query gets, in KiB (the messages database of a phone with
// a million messages is about a gigabyte).
constexpr uint64_t kMaxCacheKiB = 512 * 1024;

int MessageFromRow(int columnCount, char** values, std::vector<MessageRecord>& messages) {
  if (columnCount < 8) {
    return 0;
  }
  MessageRecord message;
  message.text = TextFromColumn(values[0]);
  message.isFromMe = IntFromColumn(values[1]);
  message.date = TextFromColumn(values[2]);
  message.rowId = IntFromColumn(values[3]);
  message.handleId = IntFromColumn(values[4]);
  message.sender = TextFromColumn(values[5]);
  size_t storedDateLength = values[6] != nullptr ? std::char_traits<char>::length(values[6]) : 0;
  if (storedDateLength < kNanosecondDateLength) {
    message.date = TextFromColumn(values[7]);
  }
  if (columnCount >= 10) {
    // kMessagesWithBodiesQuery: the archived text, and the owner's messages without a handle.
    if (message.text.empty()) {
      message.text = AttributedBodyText(BytesFromHexColumn(values[8])).value_or("");
    }
    if (values[5] == nullptr) {
      int32_t chatId = IntFromColumn(values[9]);
      if (chatId <= 0) {
        return 0;  // no conversation to deliver it in
      }
      message.handleId = OwnChatThreadKey(chatId);
    }
  }
  if (!message.text.empty()) {
    messages.push_back(std::move(message));
  }
  return 0;
}

void NameSenders(std::vector<MessageRecord>& messages, const std::vector<ContactRecord>& contacts) {
  FirstContainingLookup lookup(PhoneTexts(contacts));
  for (MessageRecord& message : messages) {
    size_t match = lookup.Find(message.sender);
    message.contactName = match == FirstContainingLookup::kNone ? "" : contacts[match].name;
  }
}

}  // namespace

Result ReadMessagesDatabase(const std::string& messagesPath, const std::string& addressBookPath,
                            const MessagesProgress& progress, MessageThreadMap& threads) {
  const int32_t running = progress.running;
  const int32_t weight = progress.weight;
  // A stop answer always wins; a zero answer never hides an earlier failure.
  Result result;
  auto report = [&](int32_t value) {
    int32_t answer = progress.report(value);
    if (answer != 0) {
      result = Result::Answer(answer);
    }
    return answer;
  };

  std::vector<MessageRecord> messages;
  std::vector<ContactRecord> contacts;
  ChatPartiesMap chats;
  SqliteDatabase messagesDb;
  SqliteDatabase addressBook;
  Result opened = messagesDb.Open(messagesPath);
  if (!opened.ok()) {
    result = opened;
  } else {
    std::vector<MessageRecord> collected;
    auto onRow = [&collected](int columnCount, char** values, char**) {
      return MessageFromRow(columnCount, values, collected);
    };
    // The query visits the messages in conversation order, not in their table's order, so the
    // same pages are wanted again and again: with SQLite's default cache of 2 MB each visit was a
    // read from the file. A cache as large as the database (up to kMaxCacheKiB) reads each page
    // once; it grows only as pages are read, and goes with the connection.
    uint64_t cacheKiB =
        std::min<uint64_t>(FileSize(messagesPath).value_or(0) / 1024 + 1024, kMaxCacheKiB);
    messagesDb.Exec("PRAGMA cache_size = -" + std::to_string(cacheKiB) + ";", {});
    bool withBodies = messagesDb.Exec(kMessagesWithBodiesQuery, onRow).ok();
    if (!withBodies) {
      collected.clear();  // older databases: the messages as they were always read
    }
    if (!withBodies && !messagesDb.Exec(kMessagesQuery, onRow).ok()) {
      result = kQueryFailed;
    } else if (!progress.report || report(running + weight / 5) == 0) {
      messages = std::move(collected);
      if (withBodies) {
        chats = LoadChatParties(messagesDb);
        MoveOwnMessagesToTheirPerson(messages, chats);
      }
      opened = addressBook.Open(addressBookPath);
      if (!opened.ok()) {
        result = opened;
      } else {
        result = QueryAddressBook(addressBook, contacts);
        if (progress.report) {
          report(running + weight / 4);
        }
      }
    }
  }
  messagesDb.Close();
  addressBook.Close();

  NameSenders(messages, contacts);
  NameOwnChatThreads(messages, chats, contacts);
  SortByText(messages, &MessageRecord::date, TextOrder::kAscending);
  GroupByKey(messages, &MessageRecord::handleId, threads);
  if (progress.report) {
    report(running + weight);
  }
  return result;
}

}  // namespace zbe
