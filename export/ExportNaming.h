#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "records/Records.h"

namespace zbe {

// The names inside an export's output folder: the run stamp, the category folders, the folders
// and base names of message threads and WhatsApp chats, and the unique-name rule. Names made
// from backup data pass through SafeName, so that each stays one path component below the
// destination root whatever the backup holds.

// The longest name SafeName gives, in bytes; the suffixes the export adds ("-" and the stamp,
// "(n)", the extension) keep every component below the 255 bytes that file systems allow.
inline constexpr size_t kSafeNameMaxBytes = 200;

// "local" as the 14 digits "YYYYMMDDhhmmss" that mark one export run's folders and files.
std::string RunStamp(const std::tm& local);

// The folder below the destination root of the entries with "categoryNumber" (the category
// table's statisticsNumber and exportFolder): "Camera Roll", "Photo Stream", "App Photos", "App
// Video", "Message", "Message Attachments", "Contacts", "CallHistory", "Notes", "WhatsApp
// Message", "WhatsApp Attachments" for 1 to 11; empty for every other number.
std::string_view CategoryFolder(int32_t categoryNumber);

// "name" as one safe path component: "/", "\", control characters (below 0x20, and 0x7F) and a
// leading "." become "_"; the result is cut to kSafeNameMaxBytes on a UTF-8 character boundary;
// an empty name becomes "Unknown". So "../../evil" gives "_._.._evil".
std::string SafeName(std::string_view name);

// A message thread's name: its row's contactName, or "Unknown" when that is empty (not
// SafeName'd; the page heads show it as it is).
std::string ThreadName(const MessageRecord& row);

// The thread's folder below "Message": SafeName(ThreadName) + "-" + stamp. Threads without a
// contact name share "Unknown-<stamp>".
std::string ThreadFolderName(const MessageRecord& row, std::string_view stamp);

// The thread's file name without extension: SafeName of ThreadName + "(" + sender + ")", or of
// ThreadName alone when sender is empty.
std::string ThreadBaseName(const MessageRecord& row);

// A WhatsApp chat's label: chatName for a group (memberNames holds a comma); otherwise
// memberNames + "(" + memberJids + ")", or memberJids alone when memberNames is empty; "Unknown"
// when that leaves nothing (not SafeName'd).
std::string ChatLabel(const WhatsAppMessage& row);

// The chat's folder below "WhatsApp Message": SafeName(ChatLabel) + "-" + stamp.
std::string ChatFolderName(const WhatsAppMessage& row, std::string_view stamp);

// The chat's file name without extension: SafeName(ChatLabel).
std::string ChatBaseName(const WhatsAppMessage& row);

// "wanted" when nothing exists at it, else the first of folder + name + "(" + n + ")" +
// extension, n = 1, 2, 3, ..., at which nothing exists. A link counts as existing even when it
// dangles. The extension is the file name's part from its last "." (none when the name has no
// "." after its first character). A path that cannot be examined (its folder is missing or not
// readable) is taken as free: creating it then reports the real error.
std::string UniquePath(const std::string& wanted);

// 0 when "path" is short enough for the platform's file functions, else ENAMETOOLONG: the export
// reports such a file as failed rather than writing it under a shortened name.
int32_t CheckPathLength(const std::string& path);

}  // namespace zbe
