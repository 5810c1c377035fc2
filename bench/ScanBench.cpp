// The scan: every category at once on samples of three sizes, each category alone, and the
// manifest load of a backup of about 100,000 files, each against SQLite running the same
// statements bare.

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "bench/BenchSetup.h"
#include "bench/FloorQueries.h"
#include "backup/BackupDiscovery.h"
#include "platform/FileSystem.h"
#include "records/CategoryTable.h"

namespace zbe::bench {
namespace {

constexpr const char* kScanGoal = "≤ 1.3";

// The statements of a floor, found once per benchmark (opening the backup to find the stored
// databases is not part of the floor).
class LazyFloor {
 public:
  LazyFloor(std::string folder, std::string workFolder, std::optional<RecordCategory> only)
      : folder_(std::move(folder)), workFolder_(std::move(workFolder)), only_(only) {}

  // The statements, or null with the reason in "error".
  const std::vector<FloorQuery>* Get(std::string& error) {
    if (!made_) {
      made_ = true;
      Make();
    }
    error = error_;
    return error_.empty() ? &queries_ : nullptr;
  }

 private:
  void Make() {
    SampleScan opened(folder_, workFolder_, CategorySet());
    if (!opened.ok()) {
      error_ = "the sample does not open (" + std::to_string(opened.opened()) + ")";
      return;
    }
    queries_.push_back(ManifestFloor(folder_));
    for (const RecordCategoryInfo& info : RecordCategories()) {
      if ((!only_ || *only_ == info.category) && info.hasReader() &&
          !CategoryFloor(opened.parser(), info.category, queries_, error_)) {
        return;
      }
    }
  }

  const std::string folder_;
  const std::string workFolder_;
  const std::optional<RecordCategory> only_;  // none: every category
  bool made_ = false;
  std::vector<FloorQuery> queries_;
  std::string error_;
};

void RegisterScanPair(const BenchOptions& options, const std::string& folder,
                      const std::string& name, const CategorySet& chosen,
                      std::optional<RecordCategory> only) {
  benchmark::RegisterBenchmark(("scan/" + name).c_str(),
                               [options, folder, chosen](benchmark::State& state) {
                                 std::string work = NewWorkFolder(options, "scan");
                                 // Kept past the timed loop (one iteration): what the
                                 // user waits for ends when the results are there.
                                 std::unique_ptr<SampleScan> scan;
                                 for (auto _ : state) {
                                   scan = std::make_unique<SampleScan>(folder, work, chosen);
                                 }
                                 if (!scan->ok()) {
                                   state.SkipWithError("the sample does not open");
                                   return;
                                 }
                                 state.counters["records"] =
                                     static_cast<double>(RecordCount(scan->results()));
                               })
      ->Iterations(1)
      ->Repetitions(options.repetitions)
      ->UseRealTime();
  auto floor = std::make_shared<LazyFloor>(folder, JoinPath(options.work, "floor"), only);
  benchmark::RegisterBenchmark(("floor/" + name).c_str(), [floor](benchmark::State& state) {
    std::string error;
    const std::vector<FloorQuery>* queries = floor->Get(error);
    if (queries == nullptr) {
      state.SkipWithError(error.c_str());
      return;
    }
    for (auto _ : state) {
      if (RunFloor(*queries, error) < 0) {
        state.SkipWithError(error.c_str());
        break;
      }
    }
  })->Iterations(1)->Repetitions(options.repetitions)->UseRealTime();
}

}  // namespace

void RegisterScanBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows) {
  for (const char* sample : {kSmallSample, kMainSample, kLargeSample}) {
    std::string folder = SamplePath(options, sample);
    if (folder.empty()) {
      continue;
    }
    std::string name = std::string("all/") + sample;
    RegisterScanPair(options, folder, name, CategorySet::All(), std::nullopt);
    rows.push_back({std::string("full scan, ") + sample, "scan/" + name, "floor/" + name,
                    RowKind::kTimePerRecord,
                    std::string(kScanGoal) + "; µs/record the same at every size"});
  }

  std::string main = SamplePath(options, kMainSample);
  if (!main.empty()) {
    for (const RecordCategoryInfo& info : RecordCategories()) {
      if (!info.hasReader()) {
        continue;
      }
      std::string name = std::string(info.cliName) + "/" + kMainSample;
      RegisterScanPair(options, main, name, CategorySet().Add(info.category), info.category);
      rows.push_back({"scan --only " + std::string(info.cliName), "scan/" + name,
                      "floor/" + name, RowKind::kTime, kScanGoal});
    }
  }

  std::string manifest = SamplePath(options, kManifestSample);
  if (!manifest.empty()) {
    benchmark::RegisterBenchmark("manifest/load", [options, manifest](benchmark::State& state) {
      BackupSummary summary;
      std::string work = NewWorkFolder(options, "manifest");
      if (work.empty() || !ReadSummaryOfFolder(manifest, summary).ok()) {
        state.SkipWithError("no work folder, or the sample has no readable Info.plist");
        return;
      }
      work += "/";
      // Kept past the timed loop: freeing the manifest is not part of loading it.
      std::unique_ptr<CBackupParser> parser;
      for (auto _ : state) {
        parser = std::make_unique<CBackupParser>(work);
        parser->SetBackup(summary);
        // Open on a plain backup is the manifest load.
        if (parser->Open(std::string()) != 0) {
          state.SkipWithError("the manifest does not load");
          break;
        }
      }
      state.counters["records"] = parser ? static_cast<double>(parser->manifest().size()) : 0;
    })->Iterations(1)->Repetitions(options.repetitions)->UseRealTime();
    benchmark::RegisterBenchmark("floor/manifest", [manifest](benchmark::State& state) {
      std::string error;
      for (auto _ : state) {
        if (RunFloor({ManifestFloor(manifest)}, error) < 0) {
          state.SkipWithError(error.c_str());
          break;
        }
      }
    })->Iterations(1)->Repetitions(options.repetitions)->UseRealTime();
    rows.push_back({std::string("manifest load, ") + kManifestSample, "manifest/load",
                    "floor/manifest", RowKind::kTimePerRecord, kScanGoal});
  }
}

}  // namespace zbe::bench
