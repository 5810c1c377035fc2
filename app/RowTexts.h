// The texts of the data list's rows: one text per column (Col1 onwards) for each kind of record
// and file the scan page shows. Chosen by the type of the row's record, so the list fills every
// category the same way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/FileItems.h"
#include "records/Records.h"

namespace zbe {

using RowCells = std::vector<std::string>;

// "text" up to its first line break ("\n" or "\r").
std::string_view FirstLine(std::string_view text);

// File rows: name; size (the shared size format).
RowCells RowTexts(const MediaFileItem& item);
RowCells RowTexts(const AttachmentItem& item);
// One app's files: name; app; size.
RowCells RowTexts(const AppMediaItem& item);
// A conversation row: contactName; sender; date; text.
RowCells RowTexts(const MessageRecord& row);
// name; company; phone up to its first line break; email; url.
RowCells RowTexts(const ContactRecord& contact);
// contactName; address; date; "Incoming"/"Outgoing"; the duration, or "Missed"/"Canceled"
// for a call of 0 seconds; "Normal".
RowCells RowTexts(const CallRecord& call);
// title; date; body.
RowCells RowTexts(const NoteRecord& note);
// A chat row: chatName; memberNames, or senderName when that is empty; memberJids, or pushName
// when that is empty.
RowCells RowTexts(const WhatsAppMessage& row);
// An app folder of App Photos or App Videos: the app; "Folder".
RowCells AppFolderTexts(const std::string& app);

// Whether a file's row shows the video icon: the extension of "name" is in the video list.
bool ShowsVideoIcon(std::string_view name);

}  // namespace zbe
