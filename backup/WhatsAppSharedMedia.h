#pragma once

#include <string_view>

namespace zbe {

// Recent versions of WhatsApp keep their media in the domain of their app group, below
// "Message/Media/" ("Message/Media/<jid>/<x>/<y>/<uuid>.<ext>"), not in their app domain.
inline constexpr std::string_view kWhatsAppSharedDomain =
    "AppDomainGroup-group.net.whatsapp.WhatsApp.shared";
inline constexpr std::string_view kWhatsAppSharedMediaFolder = "Message/Media/";

// True when "manifestPath" (domain, "-", relative path) lies in that domain below that folder.
// The group's other files (its chat database, stickers, profile pictures) are no attachments.
inline bool IsWhatsAppSharedMedia(std::string_view manifestPath) {
  return manifestPath.size() > kWhatsAppSharedDomain.size() + 1 &&
         manifestPath.starts_with(kWhatsAppSharedDomain) &&
         manifestPath[kWhatsAppSharedDomain.size()] == '-' &&
         manifestPath.substr(kWhatsAppSharedDomain.size() + 1)
             .starts_with(kWhatsAppSharedMediaFolder);
}

}  // namespace zbe
