#include "export/windows/RecoverFlow.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/MessageFormat.h"
#include "export/ExportDestination.h"
#include "export/windows/CRecoverProcessWnd.h"
#include "records/Result.h"
#include "ui/SystemServices.h"

namespace zbe {

int RunRecovery(CWindowWnd& owner, const CSettings& settings, ExportInputs inputs) {
  std::string folder;
  if (!UIPickFolder(&owner, settings.Message("MSG0509"), &folder))
    return kRecoveryNoFolder;
  auto refuse = [&](const std::string& message) {
    CMessageBox::Show(settings, std::nullopt, MsgBoxKind::kError, &owner, message);
    return kRecoveryRefused;
  };
  if (ExportWouldTouchBackup(folder, inputs.backupFolder))
    return refuse(FormatMessage(settings.Message("MSG1105"), {folder}));
  // Every file would fail in a folder the user may not write into: say so once, up front.
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return refuse(
        FormatMessage(settings.Message("MSG1107"), {folder, Result::System(errno).Text()}));

  inputs.destinationRoot = folder;
  CRecoverProcessWnd window(settings, std::move(inputs));
  const std::string title = settings.Text(LangSection::kRecoverProcessWnd, "Title");
  return window.DoModal(&owner, title.empty() ? "Zorvane Backup Extractor" : title,
                        CRecoverProcessWnd::kWidth, CRecoverProcessWnd::kHeight);
}

}  // namespace zbe
