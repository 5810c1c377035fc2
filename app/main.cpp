// zorvane-backup-extractor: the desktop program. Start-up in the order the product keeps: the
// toolkit, the single instance, the image component, the main window and its message loop;
// then shut-down: the toolkit, the players this process started, the preview copies.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "app/AppSkin.h"
#include "app/CMainWnd.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/SelfTest.h"
#include "app/StartupSteps.h"
#include "platform/AppFolders.h"
#include "platform/ProductVersion.h"
#include "ui/SingleInstance.h"
#include "ui/SystemServices.h"
#include "ui/UIApplication.h"

namespace {

constexpr char kTitle[] = "Zorvane Backup Extractor";
constexpr char kInstanceName[] = "Zorvane_Backup_Extractor_2020_For_Windows";

void PrintUsage() {
  std::printf(
      "usage: zorvane-backup-extractor [--self-test | --version]\n"
      "  Opens the iPhone backups of this computer and gets their data out.\n"
      "  --self-test  checks that the program can start (skin, languages, image component,\n"
      "               main window) without showing it, and exits 0 when it can\n"
      "  --version    prints the version\n");
}

bool HasDisplay() {
  for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(var);
    if (value != nullptr && *value != '\0')
      return true;
  }
  return false;
}

int RunProgram(zbe::UIApplication& app) {
  const std::string programFolder = app.GetProgramFolder();
  zbe::CSettings& settings = zbe::CSettings::Get();

  // One instance per user: a later launch asks the first to show its window.
  zbe::UISingleInstance instance(kInstanceName);
  if (!instance.Acquire()) {
    if (instance.AskFirstToShow() != zbe::UISingleInstance::Answer::kShown) {
      zbe::CMessageBox::Show(settings, std::nullopt, zbe::MsgBoxKind::kInformation, nullptr,
                             "Zorvane Backup Extractor is running.", 350, 180);
    }
    return 0;
  }

  if (zbe::RegisterImageComponent(programFolder) != zbe::ComponentResult::kRegistered) {
    zbe::UISystemMessageBox(
        nullptr, "Information",
        "COM component registration failed, the application can not complete initialization!");
    return 0;
  }

  {
    zbe::CMainWnd window(settings);
    if (!window.Create(nullptr, kTitle, zbe::UIWindowKind::kMain,
                       zbe::UIRect{0, 0, zbe::CMainWnd::kWidth, zbe::CMainWnd::kHeight})) {
      std::fprintf(stderr, "zorvane-backup-extractor: the main window cannot be built\n");
      return 1;
    }
    window.SetIcon("icon.png");
    window.CenterWindow();
    window.ShowWindow();
    instance.SetShowHandler([&window] { return window.ShowFromOtherLaunch(); });
    app.Run();
    instance.SetShowHandler(nullptr);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool selfTest = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--self-test") == 0) {
      selfTest = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage();
      return 0;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("zorvane-backup-extractor %s\n", zbe::kProductVersion);
      return 0;
    }
    // Anything else is left to the toolkit (its own options, such as -platform).
  }
  // The self-test runs anywhere: without a display it uses the platform that needs none.
  if (selfTest && !HasDisplay())
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

  int rc = 0;
  {
    zbe::UIApplication app(argc, argv);
    if (app.SetResourceZip(zbe::ZbeAppSkin()) != 0) {
      std::fprintf(stderr,
                   "zorvane-backup-extractor: the skin built into the program is damaged\n");
      return 1;
    }
    rc = selfTest ? zbe::RunSelfTest(app, app.GetProgramFolder()) : RunProgram(app);
  }
  if (selfTest)
    return rc;
  zbe::EndStartedPlayers();
  zbe::DeletePreviewCopies();
  return rc;
}
