#pragma once

#include "export/CStatisticsObj.h"
#include "records/ScanResults.h"

namespace zbe {

// Filling the selection statistics from a scan's results, every item checked: what the scan
// page does for each populated category, and what zbe does for a whole scan.

// Adds "category"'s container of "results" to "selection" (replacing what it held of it), every
// item checked: the file sizes of the file categories, App Photos and App Videos by app (apps in
// the order of their groups), one item per conversation row of Messages (keyed by handleId) and
// of WhatsApp (keyed by chatId), one per record of Contacts, Call History and Notes, and an
// empty category for the three categories without a reader. Item i of a category is element i of
// its container (the conversation rows and chat rows for the two thread categories).
void AddScanCategory(const ScanResults& results, RecordCategory category,
                     CStatisticsObj& selection);

// Empties "selection" and adds every category that the scan populated (whose
// results.categoryResults has a value), in category order. A category that the scan did not
// reach (not chosen, or the scan stopped first) stays out, even when its container holds what
// a stopped operation had read.
void FillSelection(const ScanResults& results, CStatisticsObj& selection);

}  // namespace zbe
