#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"
#include "tools/mkbackup/SamplePeople.h"

namespace zbe::mkbackup {

// The app group domain where WhatsApp keeps its databases.
inline constexpr const char* kWhatsAppSharedDomain =
    "AppDomainGroup-group.net.whatsapp.WhatsApp.shared";

// What the generated WhatsApp chats look like.
struct WhatsAppSample {
  uint32_t seed = 1;
  int scale = 1;              // multiplies the number of chats and messages
  int64_t lastMessageAt = 0;  // seconds since 1970; messages span the year before
};

// "ChatStorage.sqlite": ZWACHATSESSION (one-to-one chats with people of "people", group chats,
// one with "/" and one with emoji in its name), ZWAGROUPINFO, ZWAGROUPMEMBER (members with and
// without contact names), ZWAMESSAGE (dates in seconds since 2001; push names that name a member
// and ones that name nobody; media messages without text) and ZWAMEDIAITEM (with and without
// titles), plus the Core Data tables. 60 × scale messages and more, among them one of a chat that
// ZWACHATSESSION does not list and one without a chat. Throws SqlWriteError on a fault of the
// generator.
std::string MakeWhatsAppChatDatabase(const std::vector<SamplePerson>& people,
                                     const WhatsAppSample& sample);

// "Contacts.sqlite": the people of "people" that use WhatsApp (ZWAADDRESSBOOKCONTACT).
std::string MakeWhatsAppContactsDatabase(const std::vector<SamplePerson>& people);

// Adds both to "backup" under kWhatsAppSharedDomain.
void AddWhatsAppDatabases(SampleBackup& backup, const std::vector<SamplePerson>& people,
                          const WhatsAppSample& sample);

}  // namespace zbe::mkbackup
