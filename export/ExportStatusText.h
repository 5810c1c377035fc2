#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// The text of a code as the export's file list receives it (FinishedFile::errorCode), for a
// view that has only the number; the run itself takes the text from its Result. "Success" for
// 0;
// for the result codes of this program a sentence that says what went wrong (87: "A needed file
// is missing or could not be opened", 1006, 6009, -110, and 14, SQLite's code for a database
// that cannot be opened); for every other code the system's text for that errno in the C locale
// (English whatever the user's locale), such as "No space left on device". The result codes are
// looked at first because their numbers mean something else as errno values (87 would read
// "Too many users"). 2 reads as the errno ENOENT: a stop is never listed as a finished file, so
// a 2 that reaches the list is a missing file or folder. Safe to call from any thread.
std::string ExportStatusText(int32_t errorCode);

}  // namespace zbe
