#include "tools/mkbackup/SamplePeople.h"

#include "tools/mkbackup/SampleRandom.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kMobile = "_$!<Mobile>!$_";
constexpr const char* kHome = "_$!<Home>!$_";
constexpr const char* kWork = "_$!<Work>!$_";
constexpr const char* kIPhone = "iPhone";

constexpr const char* kFirstNames[] = {
    "Olivia", "Liam",  "Emma",   "Noah",  "Amelia", "Oliver", "Sophia", "Elijah",
    "Mia",    "Lucas", "Chloé",  "Mateo", "Aiko",   "Kenji",  "Priya",  "Arjun",
    "Fatima", "Omar",  "Ingrid", "Lars",  "Zoë",    "Björn",  "Ana",    "João",
    "Wei",    "Mei",   "Sven",   "Nadia", "Yusuf",  "Hannah", "Tomás",  "Léa"};
constexpr const char* kLastNames[] = {
    "Smith",  "Johnson", "Nguyen",  "García",  "Müller",   "Rossi",  "Kowalski", "Tanaka",
    "Patel",  "O'Brien", "Okafor",  "Silva",   "Andersen", "Dubois", "Kim",      "Chen",
    "Haddad", "Novak",   "Schmidt", "Ivanova", "Costa",    "Yilmaz", "Larsen",   "Moreau"};
constexpr const char* kCompanies[] = {"Northwind Traders", "Contoso Ltd.",         "Acme / Widgets",
                                      "Fabrikam",          "Blue Yonder Airlines", "Café Lumière"};
constexpr const char* kAreaCodes[] = {"415", "212", "312", "617", "206", "303", "512", "919"};

SamplePhone UsPhone(const std::string& area, const std::string& line, const char* label) {
  return {"+1" + area + "555" + line, "(" + area + ") 555-" + line, label};
}

SamplePhone UkPhone(const std::string& last3, const char* label) {
  return {"+442079460" + last3, "020 7946 0" + last3, label};
}

SamplePerson Person(std::optional<std::string> first, std::optional<std::string> last,
                    std::vector<SamplePhone> phones, std::vector<std::string> emails = {}) {
  SamplePerson person;
  person.first = std::move(first);
  person.last = std::move(last);
  person.phones = std::move(phones);
  person.emails = std::move(emails);
  return person;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// Letters a-z of "name" (e-mail addresses stay ASCII).
std::string Ascii(const std::string& name) {
  std::string out;
  for (char c : Lower(name)) {
    if (c >= 'a' && c <= 'z') {
      out += c;
    }
  }
  return out.empty() ? "user" : out;
}

std::vector<SamplePerson> FixedCast() {
  std::vector<SamplePerson> cast;
  cast.push_back(Person("Ann", "Lee", {UsPhone("415", "0134", kMobile)}, {"ann.lee@example.com"}));
  cast.push_back(Person("alice", std::nullopt, {UsPhone("212", "0147", kIPhone)}));
  cast.push_back(Person("Bob", "Stone", {UsPhone("312", "0162", kMobile), UkPhone("958", kWork)},
                        {"bob@stone.example", "b.stone@work.example"}));
  SamplePerson dentist = Person(std::nullopt, std::nullopt, {UsPhone("617", "0110", kWork)});
  dentist.organization = "Harbor Dental / Ortho";
  dentist.urls = {"https://harbor-dental.example", "https://booking.example/harbor"};
  cast.push_back(dentist);
  cast.push_back(Person("", "", {UsPhone("206", "0177", kHome)}));
  cast.push_back(Person("Carla", "Mendes", {}, {"carla.mendes@example.org"}));
  cast.push_back(Person("Jean/Luc", "Picard", {UsPhone("303", "0119", kMobile)}));
  cast.push_back(Person("Zoë 🌸", "Ng", {UsPhone("512", "0185", kIPhone)}, {"zoe@example.net"}));
  cast.push_back(Person("Dana", "Ortiz", {UsPhone("919", "0123", kMobile)}));
  cast.push_back(Person("Dana", "Ortiz", {UsPhone("919", "0123", kMobile)}));
  // Both numbers hold "12345", the address of a call that only the first of them names.
  cast.push_back(Person("Frank", "Bell", {{"+12123455501", "(212) 345-5501", kHome}}));
  cast.push_back(Person("Gina", "Bell", {{"+13123455502", "(312) 345-5502", kHome}}));
  return cast;
}

}  // namespace

std::vector<SamplePerson> MakeSamplePeople(uint32_t seed, int scale) {
  // Its own stream, so that the people do not depend on what else the sample draws.
  SampleRandom random(seed * 2654435761u + 101);
  std::vector<SamplePerson> people = FixedCast();
  const int generated = 32 * scale;
  for (int i = 0; i < generated; ++i) {
    SamplePerson person;
    std::string first = kFirstNames[random.Below(std::size(kFirstNames))];
    std::string last = kLastNames[random.Below(std::size(kLastNames))];
    person.first = first;
    person.last = last;
    if (random.Below(5) == 0) {
      person.organization = kCompanies[random.Below(std::size(kCompanies))];
    }
    std::string area = kAreaCodes[random.Below(std::size(kAreaCodes))];
    person.phones.push_back(
        UsPhone(area, random.Digits(4), random.Below(3) == 0 ? kIPhone : kMobile));
    if (random.Below(4) == 0) {
      person.phones.push_back(random.Below(2) == 0 ? UkPhone(random.Digits(3), kWork)
                                                   : UsPhone(area, random.Digits(4), kHome));
    }
    if (random.Below(2) == 0) {
      person.emails.push_back(Ascii(first) + "." + Ascii(last) + "@example.com");
    }
    if (random.Below(10) == 0) {
      person.urls.push_back("https://" + Ascii(last) + ".example.org");
    }
    people.push_back(std::move(person));
  }
  return people;
}

std::string PhoneSearchText(const SamplePerson& person) {
  std::string text;
  for (const SamplePhone& phone : person.phones) {
    text += phone.national + " " + phone.e164 + " ";
    std::string digits = phone.e164.substr(1);
    if (phone.e164.rfind("+1", 0) == 0) {
      text += "011" + digits + " 00" + digits + " " + digits + " " + digits.substr(1) + " " +
              digits.substr(4) + " ";
    } else {
      text += digits + " " + digits.substr(2) + " ";
    }
  }
  return text;
}

std::string JoinedWithBlanks(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    joined += (joined.empty() ? "" : " ") + text;
  }
  return joined;
}

}  // namespace zbe::mkbackup
