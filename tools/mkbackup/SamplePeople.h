#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zbe::mkbackup {

// One phone number of a sample person.
struct SamplePhone {
  std::string e164;      // "+15552013344": how messages, calls and WhatsApp store it
  std::string national;  // "(555) 201-3344": how the person was typed into the address book
  std::string label;     // "_$!<Mobile>!$_" and the like
};

// A person of the sample device's address book, whose numbers and addresses the messages, calls
// and WhatsApp chats use. Absent names and organizations are NULL in the databases; present ones
// may still be empty.
struct SamplePerson {
  std::optional<std::string> first;
  std::optional<std::string> last;
  std::optional<std::string> organization;
  std::vector<SamplePhone> phones;
  std::vector<std::string> emails;
  std::vector<std::string> urls;

  // First name directly followed by last name ("" when both are absent or empty).
  std::string JoinedName() const { return first.value_or("") + last.value_or(""); }
};

// The people of the sample address book for "seed": a fixed cast first (Ann Lee; alice and Bob,
// whose order shows case-blind sorting; an entry with only an organization; entries with empty
// or absent names; a person with only an e-mail address; names with "/" and emoji; a person
// entered twice; numbers that hold each other as substrings), then 32 × "scale" generated people
// with one or two numbers, e-mail and web addresses. The same seed gives the same people.
std::vector<SamplePerson> MakeSamplePeople(uint32_t seed, int scale);

// The phone text that the address book's full-text search table holds for "person": every
// number in the forms a search may be typed in, each followed by one blank.
std::string PhoneSearchText(const SamplePerson& person);

// The e-mail and web texts of the same table: the addresses joined by blanks.
std::string JoinedWithBlanks(const std::vector<std::string>& texts);

}  // namespace zbe::mkbackup
