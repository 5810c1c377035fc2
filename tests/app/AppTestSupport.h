// Shared pieces of the application's suites: the toolkit started once with the real skin, a
// home folder holding the demo backups (a plain one and an older encrypted one), the settings of
// the built program folder, and scripted answers to the modal windows the application opens.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainWnd.h"
#include "app/CSettings.h"
#include "support/TestFiles.h"
#include "ui/TestHarness.h"
#include "ui/UIApplication.h"

namespace zbe::test {

inline constexpr char kDemoPassword[] = "demo password";
inline constexpr char kPlainName[] = "Demo iPhone";
inline constexpr char kEncryptedName[] = "Demo iPhone (encrypted)";

UITestServices& Services();
// Where the suites' screenshots go (build/ui-shots).
std::string ShotsDir();
// The program folder of the build (build/bin/, with its "/").
std::string ProgramFolder();

// Folders of one test: XDG_DATA_HOME (with or without the demo backups), XDG_CONFIG_HOME and
// the temporary folder point into a fresh folder for the life of the object.
class AppHome {
 public:
  explicit AppHome(bool withDemoBackups = true);
  // Only the larger backup of ScaledBackup() in its MobileSync folder.
  struct Scaled {};
  explicit AppHome(Scaled);
  const std::string& path() const { return folder_.path(); }
  std::string DataHome() const { return folder_ / "data"; }
  std::string UserConfig() const { return folder_ / "config/ZorvaneBackupExtractor/config.ini"; }
  // The folders of the two demo backups (shared by all tests, written once).
  static std::string PlainBackup();
  static std::string EncryptedBackup();
  // A plain backup of "mkbackup --scale 200", whose scan lasts long enough to be paused between
  // two categories (shared by all tests, written once).
  static std::string ScaledBackup();
  // The MobileSync folder of this home, where a test may write backups of its own.
  std::string MobileSyncRoot() const { return DataHome() + "/Apple Computer/MobileSync/backup"; }

 private:
  TempFolder folder_;
  ScopedEnv data_;
  ScopedEnv config_;
  ScopedEnv temp_;
  ScopedEnv runtime_;
};

// The settings of the built program folder (its config.ini and languages), with the user's copy
// in "home".
std::unique_ptr<CSettings> MakeSettings(const AppHome& home);

// Answers the modal windows (message boxes, the password window, menus) that open while it
// lives: each one gets the next step in turn. A modal window without a step is closed with 2
// and recorded as unexpected. Every window seen is recorded by class name.
class ModalScript {
 public:
  using Step = std::function<void(CWindowWnd&)>;
  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  ModalScript& Then(Step step);
  // Steps not used yet.
  size_t Pending() const { return steps_.size(); }
  std::vector<std::string> seen;        // class names of the modal windows, in order
  std::vector<std::string> unexpected;  // modal windows that had no step

 private:
  std::deque<Step> steps_;
};

// The text of control "name" in "window" ("" when there is none).
std::string TextOf(CWindowWnd& window, const std::string& name);
// Clicks control "name" of "window"; fails the test when it cannot.
void ClickIn(CWindowWnd& window, const std::string& name);
// A step that clicks "button" (after checking, when "expectText" is given, that the window's
// "message" shows it).
ModalScript::Step Press(const std::string& button, const std::string& expectText = "");

// Processes posted work until "done" answers true or "timeoutMs" passes. Returns "done()".
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000);

// A main window made the way the program makes it, laid out and initialised, over the backups
// of the current XDG_DATA_HOME; its parser takes the decryption tool from the build.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(CSettings& settings);
  ~MainWindowFixture();
  CMainWnd& window() { return *window_; }
  UITestHarness& harness() { return *harness_; }
  CControlUI* Find(const std::string& name) { return harness_->Find(name); }

 private:
  std::unique_ptr<CMainWnd> window_;
  std::unique_ptr<UITestHarness> harness_;
};

}  // namespace zbe::test
