#include "records/AddressBookQuery.h"

#include "records/Conversions.h"
#include "records/PersonTableQuery.h"
#include "records/ResultCodes.h"

namespace zbe {

Result QueryAddressBook(SqliteDatabase& db, std::vector<ContactRecord>& contacts) {
  auto onRow = [&contacts](int columnCount, char** values, char**) {
    if (columnCount < 6) {
      return 0;
    }
    ContactRecord contact;
    contact.name = TextFromColumn(values[0]) + TextFromColumn(values[1]);
    contact.company = TextFromColumn(values[2]);
    contact.phone = TextFromColumn(values[3]);
    contact.email = TextFromColumn(values[4]);
    contact.url = TextFromColumn(values[5]);
    if (!contact.phone.empty()) {
      contacts.push_back(std::move(contact));
    }
    return 0;
  };
  if (db.Exec(kAddressBookQueryFirstLayout, onRow).ok()) {
    return Result::Ok();
  }
  // Whatever the second layout gives, the result tells that the first one was refused.
  if (db.Exec(kAddressBookQuerySecondLayout, onRow).ok() || HasFullTextSearchTable(db)) {
    return kQueryFailed;
  }
  // Older devices keep their address book without the search table.
  return QueryPersonTables(db, contacts);
}

std::vector<std::string_view> PhoneTexts(const std::vector<ContactRecord>& contacts) {
  std::vector<std::string_view> phones;
  phones.reserve(contacts.size());
  for (const ContactRecord& contact : contacts) {
    phones.push_back(contact.phone);
  }
  return phones;
}

}  // namespace zbe
