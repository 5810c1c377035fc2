#pragma once

#include "export/ExportContext.h"

namespace zbe {

// The end of an export run, after the walk, in this order:
//   1. when a thread was exported: a copy of the messages database, "Message/sms.sqlite";
//   2. when calls were exported: their row file, call history head + rows + tail;
//   3. when notes were exported: their row file, notes head + rows + tail;
//   4. when contacts were exported: a copy of the address book database, "Contacts.sqlite", in
//      the folder of their row file, then that file, contacts head + rows + tail.
// Runs after a cancel too, with the rows reported before it. A database copy goes to a name
// where nothing exists yet (UniquePath), so an earlier export in the same root is never
// replaced. These files list nothing when they succeed (their records were listed one by one);
// a file that fails is listed with its error and removed.
void RunExportEndStep(ExportContext& context);

}  // namespace zbe
