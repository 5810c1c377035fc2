// The scan page on a large backup, driven the way a person drives it: selecting the category
// with the most rows, checking a row (the statistics line must not walk the items), and
// scrolling and checking while the scan of the other categories goes on.
//
// Run (offscreen):
//   build/bin/mkbackup /tmp/big --scale 1250          (Call History: 50,005 rows)
//   ZBE_BENCH_BACKUP=/tmp/big QT_QPA_PLATFORM=offscreen build/bench/scan_page_bench
// Figures of this machine's kind are in bench/README.md.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "app/CMainWnd.h"
#include "app/CScanVrtWnd.h"
#include "app/CSettings.h"
#include "app/StartupSteps.h"
#include "backup/CBackupParser.h"
#include "ui/ListUI.h"
#include "ui/TestHarness.h"
#include "ui/TreeViewUI.h"
#include "ui/UIApplication.h"

namespace zbe {

std::span<const unsigned char> ZbeBenchAppSkin();

namespace {

namespace fs = std::filesystem;

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 600000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    UIApplication::Instance()->ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The application's main window over the backup in ZBE_BENCH_BACKUP, with its own data,
// configuration and temporary folders, made once for all benchmarks.
class Page {
 public:
  static Page* Get() {
    static Page* page = Make();
    return page;
  }

  CMainWnd& window() { return *window_; }
  CScanVrtWnd& scan() { return window_->ScanPage(); }
  UITestHarness& harness() { return *harness_; }
  CListUI* list() { return harness_->Manager().Find<CListUI>("DataList"); }
  CTreeNodeUI* node(RecordCategory category) { return scan().Tree().Node(category); }

  // Starts a scan from step 2 and returns at once.
  void StartScan() { harness_->Click(harness_->Find("BtnNext2")); }
  bool ScanShownFinished() {
    CControlUI* toolbar = harness_->Find("ReocveryToolBar");
    return !scan().IsScanning() && toolbar != nullptr && toolbar->IsVisible();
  }
  void ShowNode(RecordCategory category) {
    harness_->Click(node(category));
    UIApplication::Instance()->ProcessEvents();
    harness_->Layout();
  }

 private:
  static Page* Make() {
    const char* backup = std::getenv("ZBE_BENCH_BACKUP");
    if (backup == nullptr || !fs::is_directory(backup)) {
      std::fprintf(stderr,
                   "scan_page_bench: set ZBE_BENCH_BACKUP to a backup folder "
                   "(build/bin/mkbackup /tmp/big --scale 1250)\n");
      return nullptr;
    }
    return new Page(fs::absolute(backup));  // lives until the process ends
  }

  explicit Page(const fs::path& backup) : home_(fs::temp_directory_path() / "zbe-scan-bench") {
    fs::remove_all(home_);
    const fs::path root = home_ / "data/Apple Computer/MobileSync/backup";
    fs::create_directories(root);
    fs::create_directory_symlink(backup, root / backup.filename());
    fs::create_directories(home_ / "program");
    fs::permissions(home_, fs::perms::owner_all);  // a runtime folder is private
    setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    setenv("ZBE_TEMP_FOLDER", (home_ / "temp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home_.c_str(), 1);

    app_ = UITestHarness::StartApplication();
    app_->SetResourceZip(ZbeBenchAppSkin());
    app_->SetProgramFolder((home_ / "program").string() + "/");  // the embedded skin is read
    const std::string programFolder = std::string(ZBE_BIN_DIR) + "/";
    settings_ = std::make_unique<CSettings>(
        programFolder, (home_ / "config/ZorvaneBackupExtractor/config.ini").string());
    settings_->Load();
    RegisterImageComponent(programFolder);
    window_ = std::make_unique<CMainWnd>(*settings_);
    window_->Parser().SetProgramFolder(programFolder);
    window_->Create(nullptr, "Zorvane Backup Extractor", UIWindowKind::kMain,
                    UIRect{0, 0, CMainWnd::kWidth, CMainWnd::kHeight});
    window_->ShowWindow();
    harness_ = std::make_unique<UITestHarness>(*window_);
    harness_->Layout();
    auto* backups = harness_->Manager().Find<CListUI>("BackupFileList");
    harness_->DoubleClick(backups->GetItemAt(0));  // step 2, every kind of data chosen
    StartScan();
    PumpUntil([this] { return ScanShownFinished(); });
    harness_->Layout();
  }

  fs::path home_;
  std::unique_ptr<UIApplication> app_;
  std::unique_ptr<CSettings> settings_;
  std::unique_ptr<CMainWnd> window_;
  std::unique_ptr<UITestHarness> harness_;
};

// Selecting Call History (50,005 rows at scale 1250): the list is emptied, filled, laid out and
// painted. Another category is selected between the rounds, outside the timing.
void BM_SelectNodeOfTheMostRows(benchmark::State& state) {
  Page* page = Page::Get();
  if (page == nullptr) {
    state.SkipWithError("no backup");
    return;
  }
  for (auto _ : state) {
    page->ShowNode(RecordCategory::kCallHistory);
    page->harness().PaintFrame();
    state.PauseTiming();
    page->ShowNode(RecordCategory::kWhatsAppAttachments);
    state.ResumeTiming();
  }
  page->ShowNode(RecordCategory::kCallHistory);
  state.counters["rows"] = page->list()->GetCount();
}
BENCHMARK(BM_SelectNodeOfTheMostRows)->Unit(benchmark::kMillisecond)->Iterations(5);

// Checking or unchecking one row, with the node's check box, the statistics line and "Recover"
// updated, in a category of few rows and in the one of the most rows: the same cost.
void BM_CheckOneRow(benchmark::State& state) {
  Page* page = Page::Get();
  if (page == nullptr) {
    state.SkipWithError("no backup");
    return;
  }
  const auto category = static_cast<RecordCategory>(state.range(0));
  page->ShowNode(category);
  for (auto _ : state)
    page->harness().CheckListRow(page->list(), 0);
  state.counters["rows"] = page->list()->GetCount();
}
BENCHMARK(BM_CheckOneRow)
    ->Arg(static_cast<int>(RecordCategory::kWhatsAppAttachments))
    ->Arg(static_cast<int>(RecordCategory::kCallHistory))
    ->Unit(benchmark::kMicrosecond);

// While a new scan reads the categories after the camera roll: one step of scrolling through
// the camera roll's rows, a check, and a painted frame, with the worker's posts handled.
void BM_ScrollAndCheckWhileScanning(benchmark::State& state) {
  Page* page = Page::Get();
  if (page == nullptr) {
    state.SkipWithError("no backup");
    return;
  }
  auto& h = page->harness();
  // Home (answering its question), then step 2 again and a new scan.
  UIApplication::Instance()->SetModalObserver([](CWindowWnd& box) {
    UITestHarness boxHarness(box);
    boxHarness.Click(boxHarness.Find("okbtn"));
  });
  h.Click(h.Find("BtnHome"));
  UIApplication::Instance()->SetModalObserver({});
  h.Layout();
  h.DoubleClick(h.Manager().Find<CListUI>("BackupFileList")->GetItemAt(0));
  page->StartScan();
  PumpUntil([page] { return page->scan().CategoryCountShown(RecordCategory::kCameraRoll) > 0; });
  page->ShowNode(RecordCategory::kCameraRoll);
  CListUI* list = page->list();
  constexpr int kRowHeight = 30;
  int y = 0;
  int framesWhileScanning = 0;
  for (auto _ : state) {
    UIApplication::Instance()->ProcessEvents();
    y = (y + 3 * kRowHeight) % std::max(1, list->GetScrollRange().cy);
    list->SetScrollPos(UISize{0, y});
    h.Layout();
    h.CheckListRow(list, std::min(list->GetCount() - 1, y / kRowHeight + 1));  // a shown row
    h.PaintFrame();
    framesWhileScanning += page->scan().IsScanning() ? 1 : 0;
  }
  state.counters["framesWhileScanning"] = framesWhileScanning;
  state.counters["rows"] = list->GetCount();
  PumpUntil([page] { return page->ScanShownFinished(); });
}
BENCHMARK(BM_ScrollAndCheckWhileScanning)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
}  // namespace zbe

BENCHMARK_MAIN();
