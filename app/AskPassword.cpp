#include "app/AskPassword.h"

#include <cstdio>

#include "app/CDecryptionWnd.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "backup/BackupSummary.h"

namespace zbe {

int AskPassword(const BackupSummary& summary, const CSettings& settings, CWindowWnd* owner,
                std::string* password) {
  if (!summary.encrypted) {
    password->clear();
    return kPasswordReady;
  }
  const std::string backupName = summary.lastBackupDate.empty()
                                     ? summary.displayName
                                     : summary.displayName + "  \u00B7  " + summary.lastBackupDate;
  for (;;) {
    CDecryptionWnd window(settings, backupName);
    const std::string title = settings.Text(LangSection::kDecryptionWnd, "Title");
    const int rc = window.DoModal(owner, title.empty() ? "Zorvane Backup Extractor" : title,
                                  CDecryptionWnd::kWidth, CDecryptionWnd::kHeight);
    if (rc == -1)
      std::fprintf(stderr, "zorvane-backup-extractor: CDecryptionWnd::GetSkinFile\n");
    if (rc != 1)
      return kPasswordCancelled;
    if (!window.GetPassword().empty()) {
      *password = window.GetPassword();
      return kPasswordReady;
    }
    // The title is the warning's own, from the language file.
    if (CMessageBox::Show(settings, std::nullopt, MsgBoxKind::kWarning, owner,
                          settings.Message("MSG0301")) == kMsgBoxOk) {
      continue;
    }
    password->clear();
    return kPasswordReady;
  }
}

}  // namespace zbe
