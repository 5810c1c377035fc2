#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/AppSkin.h"
#include "app/StartupSteps.h"
#include "backup/CBackupParser.h"
#include "support/RunProgram.h"
#include "ui/ControlUI.h"
#include "ui/ImageObject.h"

namespace zbe::test {
namespace {

UITestServices* g_services = nullptr;  // owned by the application below

std::filesystem::path ProcessRoot() {
  return std::filesystem::temp_directory_path() / ("zbe-app-tests-" + std::to_string(getpid()));
}

std::string SharedBackupRoot() {
  return (ProcessRoot() / "backups").string();
}

// Starts the toolkit with the application's skin before the first test, stops it after the
// last, and removes what the tests wrote.
class AppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    app_ = UITestHarness::StartApplication(&g_services);
    ASSERT_EQ(app_->SetResourceZip(ZbeAppSkin()), 0);
    std::filesystem::create_directories(ProcessRoot() / "program");
    // A program folder without "Skins/", so the embedded skin is what the tests read.
    app_->SetProgramFolder((ProcessRoot() / "program").string() + "/");
  }
  void TearDown() override {
    app_.reset();
    g_services = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(ProcessRoot(), ignored);
  }

 private:
  std::unique_ptr<UIApplication> app_;
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<AppEnvironment>().release());

// Writes the two demo backups once per test program.
void EnsureDemoBackups() {
  static bool written = false;
  if (written)
    return;
  written = true;
  std::filesystem::create_directories(SharedBackupRoot());
  ProgramResult plain = RunProgram(
      "mkbackup", {AppHome::PlainBackup(), "--name", kPlainName, "--udid",
                   "00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d4e", "--date", "2020-06-01T09:30:00Z"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ProgramResult encrypted = RunProgram(
      "mkbackup", {AppHome::EncryptedBackup(), "--name", kEncryptedName, "--udid",
                   "00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d4f", "--date", "2020-01-30T09:00:00Z",
                   "--encrypt", kDemoPassword, "--iterations", "10"});
  ASSERT_EQ(encrypted.status, 0) << encrypted.err;
}

std::string ScaledBackupRoot() {
  return (ProcessRoot() / "scaled").string();
}

void EnsureScaledBackup() {
  static bool written = false;
  if (written)
    return;
  written = true;
  std::filesystem::create_directories(ScaledBackupRoot());
  ProgramResult scaled = RunProgram("mkbackup", {AppHome::ScaledBackup(), "--name", "Big iPhone",
                                                 "--scale", "200", "--seed", "7"});
  ASSERT_EQ(scaled.status, 0) << scaled.err;
}

}  // namespace

UITestServices& Services() {
  return *g_services;
}

std::string ShotsDir() {
  std::filesystem::create_directories(ZBE_UI_SHOTS_DIR);
  return ZBE_UI_SHOTS_DIR;
}

std::string ProgramFolder() {
  return std::string(ZBE_BIN_DIR) + "/";
}

std::string AppHome::PlainBackup() {
  return SharedBackupRoot() + "/00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d4e";
}

std::string AppHome::EncryptedBackup() {
  return SharedBackupRoot() + "/00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d4f";
}

std::string AppHome::ScaledBackup() {
  return ScaledBackupRoot() + "/00008110000c1d2e3f4a5b6c7d8e9f0a1b2c3d50";
}

AppHome::AppHome(Scaled) : AppHome(false) {
  EnsureScaledBackup();
  std::filesystem::remove(MobileSyncRoot());
  std::filesystem::create_directory_symlink(ScaledBackupRoot(), MobileSyncRoot());
}

AppHome::AppHome(bool withDemoBackups)
    : data_("XDG_DATA_HOME", (folder_ / "data").c_str()),
      config_("XDG_CONFIG_HOME", (folder_ / "config").c_str()),
      temp_("ZBE_TEMP_FOLDER", (folder_ / "temp").c_str()),
      runtime_("XDG_RUNTIME_DIR", folder_.path().c_str()) {
  std::filesystem::create_directories(folder_ / "data/Apple Computer/MobileSync");
  if (withDemoBackups) {
    EnsureDemoBackups();
    std::filesystem::create_directory_symlink(SharedBackupRoot(),
                                              folder_ / "data/Apple Computer/MobileSync/backup");
  }
}

std::unique_ptr<CSettings> MakeSettings(const AppHome& home) {
  auto settings = std::make_unique<CSettings>(ProgramFolder(), home.UserConfig());
  settings->Load();
  return settings;
}

ModalScript::ModalScript() {
  UIApplication::Instance()->SetModalObserver([this](CWindowWnd& window) {
    seen.push_back(window.GetWindowClassName());
    if (steps_.empty()) {
      unexpected.push_back(window.GetWindowClassName() + ": " + TextOf(window, "message"));
      window.Close(2);
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(window);
    UIApplication::Instance()->ProcessEvents();
    if (!window.IsClosed()) {
      unexpected.push_back(window.GetWindowClassName() + " stayed open");
      window.Close(-2);
    }
  });
}

ModalScript::~ModalScript() {
  UIApplication::Instance()->SetModalObserver({});
}

ModalScript& ModalScript::Then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

std::string TextOf(CWindowWnd& window, const std::string& name) {
  CControlUI* c = window.GetManager().FindControl(name);
  return c != nullptr ? c->GetText() : std::string();
}

void ClickIn(CWindowWnd& window, const std::string& name) {
  UITestHarness h(window);
  CControlUI* c = h.Find(name);
  ASSERT_NE(c, nullptr) << name;
  EXPECT_TRUE(h.Click(c)) << name;
}

ModalScript::Step Press(const std::string& button, const std::string& expectText) {
  return [button, expectText](CWindowWnd& window) {
    if (!expectText.empty()) {
      EXPECT_EQ(TextOf(window, "message"), expectText);
    }
    ClickIn(window, button);
  };
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    UIApplication::Instance()->ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

MainWindowFixture::MainWindowFixture(CSettings& settings)
    : window_(std::make_unique<CMainWnd>(settings)) {
  // As the program does before it makes its window: the preview shows pictures through it.
  EXPECT_EQ(RegisterImageComponent(ProgramFolder()), ComponentResult::kRegistered);
  window_->Parser().SetProgramFolder(ProgramFolder());
  EXPECT_TRUE(window_->Create(nullptr, "Zorvane Backup Extractor", UIWindowKind::kMain,
                              UIRect{0, 0, CMainWnd::kWidth, CMainWnd::kHeight}));
  window_->CenterWindow();
  window_->ShowWindow();
  harness_ = std::make_unique<UITestHarness>(*window_);
  harness_->Layout();
}

MainWindowFixture::~MainWindowFixture() {
  // Closing may ask to confirm (a scan, results): the answer is to go.
  ModalScript script;
  script.Then(Press("okbtn"));
  if (!window_->IsClosed()) {
    window_->Close(1);
    UIApplication::Instance()->ProcessEvents();
  }
  harness_.reset();
  window_.reset();
}

}  // namespace zbe::test
