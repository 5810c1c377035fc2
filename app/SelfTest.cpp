#include "app/SelfTest.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/CMainWnd.h"
#include "app/CSettings.h"
#include "app/CustomControls.h"
#include "app/IniFile.h"
#include "app/StartupSteps.h"
#include "ui/DialogBuilder.h"
#include "ui/ImageObject.h"
#include "ui/PaintManagerUI.h"
#include "ui/UIApplication.h"

namespace zbe {
namespace {

class AppControls : public IDialogBuilderCallback {
 public:
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override {
    return CreateAppControl(className);
  }
};

// Points the data, configuration and temporary folders of this process at a private folder for
// the life of the object, and removes it afterwards.
class PrivateHome {
 public:
  PrivateHome() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zbe-self-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      return;
    folder_ = pattern;
    setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    setenv("ZBE_TEMP_FOLDER", (folder_ + "/temp").c_str(), 1);
  }
  ~PrivateHome() {
    if (!folder_.empty()) {
      std::error_code ec;
      std::filesystem::remove_all(folder_, ec);
    }
  }
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;
  bool ok() const { return !folder_.empty(); }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

void Fail(int& failures, const std::string& what) {
  std::fprintf(stderr, "zorvane-backup-extractor --self-test: %s\n", what.c_str());
  ++failures;
}

}  // namespace

const std::vector<SkinLayoutCheck>& SkinLayoutChecks() {
  static const std::vector<SkinLayoutCheck> kChecks = {
      {"xml/skin.xml",
       {// header
        "LblProductName", "HorLayoutMain", "HorLayoutScan", "ScanToolBar", "BtnGifScanning",
        "LblScanType", "ProgressScan", "LblWaitDesc", "LblPercent", "BtnScanPause", "BtnScanStop",
        "ReocveryToolBar", "LblRemark", "BtnAssist", "minbtn", "maxbtn", "restorebtn", "closebtn",
        // steps
        "MainTabPage", "OptStep1", "OptStep2", "OptStep3", "TabPage", "FooterBar",
        // backup page
        "BackupFileList", "BackupListHeader1", "BackupListHeader2", "BackupListHeader3",
        "BtnSelDir", "BtnNext1", "ItunesBackupDesc1", "ItunesBackupDesc2", "ItunesBackupDesc3",
        // file type page
        "OptCameraRoll", "OptPhotoStream", "OptAppPhotos", "OptAppVideos", "OptMessages",
        "OptMessageAtts", "OptContacts", "OptCallHistory", "OptNotes", "WhatsApp",
        "OptWhatsAppAtts", "OptReminder", "OptCalendar", "SafariBookmark", "ChkSelAll", "BtnNext2",
        // scan page and preview
        "NodeTree", "DataList", "CheckAll", "Col1", "Col2", "Col3", "Col4", "Col5", "Col6",
        "iPhoneInfoLayout", "DataListLayout", "DataListToolBar", "BtnGifLoading", "LblScanInfo",
        "BtnHome", "BtnRecovery", "BtnPrint", "BtnBackAppDir", "LblStatistics", "FilterToolBar",
        "OptOnOffFilter", "LblFilterCount", "Option", "SwitchLayout", "OptOnOffPreview",
        "PreviewLayout", "MessagesList", "PreviewEdit"}},
      {"xml/MessageBox_Error.xml", {"title", "closebtn", "message", "okbtn"}},
      {"xml/MessageBox_Confirm.xml", {"title", "closebtn", "message", "okbtn", "cancelbtn"}},
      {"xml/MessageBox_Information.xml", {"title", "closebtn", "message", "okbtn"}},
      {"xml/MessageBox_Warning.xml", {"title", "closebtn", "message", "okbtn", "cancelbtn"}},
      {"xml/MessageBox_Question.xml", {"title", "closebtn", "message", "okbtn", "cancelbtn"}},
      {"xml/DecryptionWnd.xml",
       {"Title", "closebtn", "Description", "HorLayout", "LblPassword", "EditPassword", "BtnTips",
        "BtnRestoreLink", "BtnOK", "BtnCancel"}},
      {"xml/PreviewProcessWnd.xml",
       {"Title", "closebtn", "Progress", "LblPercent", "LblFileName", "BtnCancel"}},
      {"xml/RecoverProcessWnd.xml",
       {"current", "recovered", "percent", "Progress", "OpenBtn", "FinishBtn", "CancelBtn",
        "DetailBtn", "iOSRecoveryLayout", "BtnUrlIOSMobileRecovery", "DetailList", "closebtn"}},
      {"xml/PrintWnd.xml", {"PrintTabPage", "BtnGifPrintLoading", "WebPagePrint", "closebtn"}},
      {"xml/ContactInfo.xml",
       {"TxtUserName", "TxtPhone", "TxtEmail", "TxtAddress", "TxtUrl", "TxtSocial", "TxtCompany"}},
      {"xml/MessagesElementSend.xml", {"LblMsgTitle", "LblMsgText"}},
      {"xml/MessagesElementRecv.xml", {"LblMsgTitle", "LblMsgText"}},
      {"xml/menu_assist_reg.xml",
       {"menu_assist", "item_help", "item_faq", "item_about", "item_support", "item_language",
        "item_exit"}},
  };
  return kChecks;
}

std::vector<std::string> MissingSkinControls(const SkinLayoutCheck& check) {
  CPaintManagerUI manager;
  AppControls controls;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root = builder.Create(check.file, &controls, &manager);
  if (!root)
    return {"cannot be built: " + builder.GetLastError()};
  manager.AttachDialog(std::move(root));
  std::vector<std::string> missing;
  for (const std::string& name : check.controls) {
    if (manager.FindControl(name) == nullptr)
      missing.push_back(name);
  }
  return missing;
}

int RunSelfTest(UIApplication& app, const std::string& programFolder) {
  int failures = 0;
  PrivateHome home;
  if (!home.ok())
    Fail(failures, "cannot make a private folder for the test");

  if (RegisterImageComponent(programFolder) != ComponentResult::kRegistered)
    Fail(failures,
         "the image component " + programFolder + kImageComponentFile + " cannot be registered");
  else if (RegisteredImageObject(kImageOleInterfaceId).empty())
    Fail(failures, "the image component did not register its image object");

  CSettings settings(programFolder, home.folder() + "/config/ZorvaneBackupExtractor/config.ini");
  settings.Load();
  if (settings.Languages().empty())
    Fail(failures, "config.ini in " + programFolder + " lists no language");
  for (const auto& [key, text] : settings.Languages()) {
    IniDocument doc;
    const std::string path = settings.LanguagesFolder() + key + ".ini";
    if (ReadIniFile(path, &doc) != 0) {
      Fail(failures, "language file " + path + " cannot be read");
    } else if (const IniSection* messages = FindIniSection(doc, LangSection::kMessages);
               messages == nullptr || messages->entries.empty()) {
      Fail(failures, "language file " + path + " has no messages");
    } else if (!doc.truncations.empty()) {
      Fail(failures, "language file " + path + " exceeds a size limit: " + doc.truncations[0]);
    }
  }
  if (settings.Section(LangSection::kMessages).entries.empty())
    Fail(failures, "the language \"" + settings.CurrentLanguage() + "\" has no messages");

  for (const SkinLayoutCheck& check : SkinLayoutChecks()) {
    for (const std::string& missing : MissingSkinControls(check))
      Fail(failures, "skin layout " + check.file + ": " + missing);
  }

  {
    CMainWnd window(settings);
    if (!window.Create(nullptr, "Zorvane Backup Extractor", UIWindowKind::kMain,
                       UIRect{0, 0, CMainWnd::kWidth, CMainWnd::kHeight})) {
      Fail(failures, "the main window cannot be built");
    } else {
      window.GetManager().EnsureInitialized();
      if (window.GetManager().FindControl("BackupFileList") == nullptr)
        Fail(failures, "the main window has no backup list");
      window.Close(1);
      app.ProcessEvents();
      if (!window.IsClosed())
        Fail(failures, "the main window does not close");
    }
  }
  if (failures == 0)
    std::printf("zorvane-backup-extractor --self-test: ok\n");
  return failures == 0 ? 0 : 1;
}

}  // namespace zbe
