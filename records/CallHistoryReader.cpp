#include "records/CallHistoryReader.h"

#include "platform/Utf8.h"
#include "records/AddressBookQuery.h"
#include "records/Conversions.h"
#include "records/FirstContainingLookup.h"
#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"
#include "records/TextOrder.h"

namespace zbe {
namespace {

// Shorter addresses (service numbers, short codes) would match inside many phone numbers.
constexpr size_t kShortestNamedAddress = 5;

void NameCalls(CallList& calls, const std::vector<ContactRecord>& contacts) {
  FirstContainingLookup lookup(PhoneTexts(contacts));
  for (CallRecord& call : calls) {
    if (Utf8CodePointCount(call.address) < kShortestNamedAddress) {
      continue;
    }
    size_t match = lookup.Find(call.address);
    if (match != FirstContainingLookup::kNone) {
      call.contactName = contacts[match].name;
    }
  }
}

}  // namespace

Result ReadCallHistoryDatabase(const std::string& callDatabasePath, CallDatabase kind,
                               const std::string& addressBookPath, CallList& calls) {
  Result result;
  std::vector<ContactRecord> contacts;
  SqliteDatabase callDb;
  SqliteDatabase addressBook;
  if (Result opened = callDb.Open(callDatabasePath); !opened.ok()) {
    result = opened;
  } else {
    CallList collected;
    auto onRow = [&collected](int columnCount, char** values, char**) {
      if (columnCount < 4) {
        return 0;
      }
      CallRecord call;
      call.answered = IntFromColumn(values[0]);
      call.duration = IntFromColumn(values[1]);
      call.address = TextFromColumn(values[2]);
      call.date = TextFromColumn(values[3]);
      if (!call.address.empty()) {
        collected.push_back(std::move(call));
      }
      return 0;
    };
    bool queryFailed = !callDb.Exec(kCallHistoryQuery, onRow).ok();
    if (queryFailed && kind == CallDatabase::kOlder) {
      queryFailed = !callDb.Exec(kOldCallTableQuery, onRow).ok();
    }
    calls = std::move(collected);
    result = addressBook.Open(addressBookPath);
    if (result.ok()) {
      result = QueryAddressBook(addressBook, contacts);
    }
    // Calls that could not be read are a failure, whatever the address book gave.
    if (queryFailed) {
      result = kQueryFailed;
    }
  }
  callDb.Close();
  addressBook.Close();

  NameCalls(calls, contacts);
  SortByText(calls, &CallRecord::date, TextOrder::kAscending);
  return result;
}

}  // namespace zbe
