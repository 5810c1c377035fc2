#pragma once

#include <string>
#include <vector>

#include "export/ExportContext.h"
#include "records/Records.h"

namespace zbe {

// The export of one checked entry, one function per kind of writer output. Each creates the
// folders it needs (with missing parents) and reports the entry's output file finished once
// through the context's reporter: a success or the failure's error code. Names made from the
// backup's data are SafeName'd, and files get UniquePath, so nothing is overwritten and nothing
// is written outside the destination root. After a cancel they begin no new file.

// A copy of a stored file: to "folder" (below the root) + "/" + SafeName(name), with the
// context's stored files (CopyStoredFile). "folder" is created first; when that fails the copy is
// reported failed with the folder's error.
void ExportFileItem(ExportContext& context, const std::string& folder, const std::string& name,
                    const std::string& storedPath);

// A message thread: the folder "folder" (the messages' folder below the root) + "/" +
// ThreadFolderName, then base name + ".txt" (WriteThreadText) and + ".html" (WriteThreadHtml).
// Sets context.messagesExported. The HTML file is the entry's report; the text file is listed
// only when it fails.
void ExportThread(ExportContext& context, const std::string& folder, const MessageRecord& row,
                  const std::vector<MessageRecord>& thread);

// A WhatsApp chat: the folder "folder" (the chats' folder below the root) + "/" +
// ChatFolderName, then base name + ".txt", ".csv" and ".html". The HTML file is the entry's
// report; the others are listed only when they fail.
void ExportChat(ExportContext& context, const std::string& folder, const WhatsAppMessage& row,
                const std::vector<WhatsAppMessage>& chat);

// One record of a row file: creates "folder" (below the root) when missing, chooses the row
// file's path on the first record (UniquePath of folder + "/" + fileName), and reports that
// file finished for this record. "row" joins the file's rows only when the report was taken
// (not after a cancel), so the file written at the end holds exactly the records listed.
void ExportRecordRow(ExportContext& context, ExportRowFile& file, const std::string& folder,
                     const std::string& fileName, std::string row);

}  // namespace zbe
