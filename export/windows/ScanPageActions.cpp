#include "export/windows/ScanPageActions.h"

#include <utility>

#include "app/CSettings.h"
#include "export/PrintPage.h"
#include "export/windows/CPrintWnd.h"
#include "export/windows/RecoverFlow.h"

namespace zbe {

int RecoverCheckedItems(CWindowWnd& owner, const CSettings& settings, const ScanResults& results,
                        const CStatisticsObj& selection, IStoredFileSource& storedFiles,
                        const BackupSummary& backup) {
  ExportInputs inputs;
  inputs.results = &results;
  inputs.selection = &selection;
  inputs.storedFiles = &storedFiles;
  inputs.programFolder = settings.ProgramFolder();
  inputs.deviceName = backup.displayName;
  inputs.backupFolder = backup.folderPath;
  return RunRecovery(owner, settings, std::move(inputs));
}

int PrintCheckedRecords(CWindowWnd& owner, const CSettings& settings, const ScanResults& results,
                        const CStatisticsObj& selection, std::optional<RecordCategory> category,
                        const std::string& workFolder) {
  PrintInputs inputs;
  inputs.results = &results;
  inputs.selection = &selection;
  inputs.category = category;
  inputs.programFolder = settings.ProgramFolder();
  // Without a work folder the page has nowhere to go; the window then says it could not be
  // prepared rather than writing beside whatever the current folder is.
  if (!workFolder.empty())
    inputs.pagePath = PrintPagePath(workFolder);
  return ShowPrintWindow(&owner, settings, std::move(inputs));
}

}  // namespace zbe
