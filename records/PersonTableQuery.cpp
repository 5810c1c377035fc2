#include "records/PersonTableQuery.h"

#include <map>

#include "records/Conversions.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

// ABMultiValue.property of phone numbers, e-mail addresses and web addresses.
constexpr int32_t kPhoneProperty = 3;
constexpr int32_t kEmailProperty = 4;
constexpr int32_t kUrlProperty = 22;

constexpr const char* kPersonsQuery =
    "SELECT ROWID, First, Last, Organization FROM ABPerson ORDER BY ROWID;";
constexpr const char* kValuesQuery =
    "SELECT record_id, property, value FROM ABMultiValue WHERE property IN (3, 4, 22) ORDER BY "
    "record_id, UID;";

// "+44 (20) 7946-0958" -> "+442079460958"; "" when the number holds no digit.
std::string CompactNumber(const std::string& number) {
  std::string compact;
  for (char c : number) {
    if (c >= '0' && c <= '9') {
      compact += c;
    }
  }
  size_t first = number.find_first_not_of(" \t");
  if (!compact.empty() && first != std::string::npos && number[first] == '+') {
    compact.insert(0, 1, '+');
  }
  return compact;
}

void AppendWithBlank(std::string& text, const std::string& value) {
  text += value;
  text += ' ';
}

}  // namespace

bool HasFullTextSearchTable(SqliteDatabase& db) {
  bool found = false;
  db.Exec(
      "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = "
      "'ABPersonFullTextSearch_content';",
      [&found](int, char**, char**) {
        found = true;
        return 0;
      });
  return found;
}

Result QueryPersonTables(SqliteDatabase& db, std::vector<ContactRecord>& contacts) {
  std::map<int32_t, ContactRecord> people;
  std::vector<int32_t> order;
  auto onPerson = [&](int columnCount, char** values, char**) {
    if (columnCount >= 4) {
      int32_t rowId = IntFromColumn(values[0]);
      if (people.count(rowId) == 0) {
        order.push_back(rowId);
      }
      ContactRecord& person = people[rowId];
      person.name = TextFromColumn(values[1]) + TextFromColumn(values[2]);
      person.company = TextFromColumn(values[3]);
    }
    return 0;
  };
  std::map<int32_t, std::vector<std::string>> emails;
  std::map<int32_t, std::vector<std::string>> urls;
  auto onValue = [&](int columnCount, char** values, char**) {
    if (columnCount < 3 || values[2] == nullptr) {
      return 0;
    }
    int32_t rowId = IntFromColumn(values[0]);
    auto person = people.find(rowId);
    std::string value = TextFromColumn(values[2]);
    if (person == people.end() || value.empty()) {
      return 0;
    }
    switch (IntFromColumn(values[1])) {
      case kPhoneProperty: {
        AppendWithBlank(person->second.phone, value);
        std::string compact = CompactNumber(value);
        if (!compact.empty() && compact != value) {
          AppendWithBlank(person->second.phone, compact);
        }
        break;
      }
      case kEmailProperty:
        emails[rowId].push_back(value);
        break;
      case kUrlProperty:
        urls[rowId].push_back(value);
        break;
      default:
        break;
    }
    return 0;
  };
  if (!db.Exec(kPersonsQuery, onPerson).ok() || !db.Exec(kValuesQuery, onValue).ok()) {
    return kQueryFailed;
  }
  auto joined = [](const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& part : texts) {
      text += (text.empty() ? "" : " ") + part;
    }
    return text;
  };
  for (int32_t rowId : order) {
    ContactRecord& person = people[rowId];
    if (person.phone.empty()) {
      continue;
    }
    person.email = joined(emails[rowId]);
    person.url = joined(urls[rowId]);
    contacts.push_back(std::move(person));
  }
  return Result::Ok();
}

}  // namespace zbe
