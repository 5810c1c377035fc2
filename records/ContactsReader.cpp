#include "records/ContactsReader.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "records/AddressBookQuery.h"
#include "records/SqliteDatabase.h"

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
  if (contacts.size() > 1) {
    std::sort(contacts.begin(), contacts.end(), [](const ContactRecord& a, const ContactRecord& b) {
      return AsciiCaseCompare(a.name, b.name) < 0;
    });
  }
  return result;
}

}  // namespace zbe
