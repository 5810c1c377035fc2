// CDecryptionWnd: asks for the password of an encrypted backup.
#pragma once

#include <string>

#include "app/CPopUpWnd.h"

namespace zbe {

class CSettings;

class CDecryptionWnd : public CPopUpWnd {
 public:
  static constexpr int kWidth = 550;
  static constexpr int kHeight = 270;

  // "settings" gives the texts and the program folder and must outlive the window;
  // "backupName" names the backup that asks (shown under the description; "" for none).
  CDecryptionWnd(const CSettings& settings, std::string backupName);

  // The password entered (at most 256 characters), kept when the window ends with OK.
  const std::string& GetPassword() const { return password_; }

  std::string GetWindowClassName() const override { return "UIDecryptionWnd"; }
  void Notify(TNotifyUI& msg) override;

 protected:
  std::string GetSkinFile() override { return "xml/DecryptionWnd.xml"; }
  // Enter confirms, as in any password prompt; Escape cancels.
  bool PreTranslateKey(uint32_t key, uint32_t mods) override;

 private:
  void OnWindowInit();
  void Confirm();

  const CSettings& settings_;
  const std::string backupName_;
  std::string password_;
};

}  // namespace zbe
