// What the scan page's "Recover" and "Print" buttons do, one call each, from what the page
// holds after a scan: its results, their selection, the recovery source and the backup.
#pragma once

#include <optional>
#include <string>

#include "backup/BackupSummary.h"
#include "backup/StoredFileSource.h"
#include "export/CStatisticsObj.h"
#include "records/RecordCategory.h"
#include "records/ScanResults.h"

namespace zbe {

class CSettings;
class CWindowWnd;

// "BtnRecovery": asks for the destination and exports the items that "selection" checks in
// "results" into it, in the export window over "owner" (RunRecovery in RecoverFlow.h: the
// picker titled by "MSG0509", a folder inside "backup" refused, the window 770 by 700).
// "storedFiles" copies the stored files and the two databases (ScanSession::storedFiles());
// "backup" is the backup scanned (its folder is never written into; its device name titles the
// pages); the templates lie in the settings' program folder. Everything borrowed must stay valid
// and unchanged until the call returns. Returns kRecoveryNoFolder, kRecoveryRefused, 1 (the run
// finished) or 2 (cancelled, or it could not begin).
int RecoverCheckedItems(CWindowWnd& owner, const CSettings& settings, const ScanResults& results,
                        const CStatisticsObj& selection, IStoredFileSource& storedFiles,
                        const BackupSummary& backup);

// "BtnPrint": the print window over "owner" (800 by 600) for the checked records of "category"
// (the category node selected in the tree; none: the window says what to choose). The page is
// written to PrintPagePath("workFolder") (the program's work folder, ending in "/") and removed
// when the window closes. Everything borrowed must stay valid and unchanged until the call
// returns. Returns 1 (closed after the page was shown) or 2 (closed while it was being built).
int PrintCheckedRecords(CWindowWnd& owner, const CSettings& settings, const ScanResults& results,
                        const CStatisticsObj& selection, std::optional<RecordCategory> category,
                        const std::string& workFolder);

}  // namespace zbe
