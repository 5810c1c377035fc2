#include "records/ContactsReader.h"

#include "records/AddressBookQuery.h"
#include "records/SqliteDatabase.h"
#include "records/TextOrder.h"

namespace zbe {

Result ReadContactsDatabase(const std::string& addressBookPath, ContactList& contacts) {
  SqliteDatabase db;
  if (Result opened = db.Open(addressBookPath); !opened.ok()) {
    return opened;
  }
  ContactList collected;
  Result result = QueryAddressBook(db, collected);
  for (ContactRecord& contact : collected) {
    if (contact.name.empty()) {
      contact.name = kNoContactName;
    }
  }
  contacts = std::move(collected);
  SortByText(contacts, &ContactRecord::name, TextOrder::kAscending);
  return result;
}

}  // namespace zbe
