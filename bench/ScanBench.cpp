// The scan: every category at once on samples of three sizes, each category alone, and the
// manifest load of a backup of about 100,000 files, each against SQLite running the same
// statements bare.

#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <vector>

#include "backup/BackupDiscovery.h"
#include "bench/BenchSetup.h"
#include "bench/FloorQueries.h"
#include "platform/FileSystem.h"
#include "records/CategoryTable.h"

namespace zbe::bench {
namespace {

constexpr const char* kScanGoal = "≤ 1.3";

// The statements of a floor, found once per benchmark (opening the backup to find the stored
// databases is not part of the floor).
class LazyFloor {
 public:
  // The manifest query and the statements of "categories".
  LazyFloor(std::string folder, std::string workFolder, std::vector<RecordCategory> categories)
      : folder_(std::move(folder)),
        workFolder_(std::move(workFolder)),
        categories_(std::move(categories)) {}

  // The statements, or null with the reason in "error".
  const std::vector<FloorQuery>* Get(std::string& error) {
    if (!made_) {
      made_ = true;
      Make();
    }
    error = error_;
    return error_.empty() ? &queries_ : nullptr;
  }

  // The stored files whose heads the media walks read (each once); valid after Get.
  const std::vector<std::string>& heads() const { return heads_; }

 private:
  void Make() {
    SampleScan opened(folder_, workFolder_, CategorySet());
    if (!opened.ok()) {
      error_ = "the sample does not open (" + std::to_string(opened.opened()) + ")";
      return;
    }
    queries_.push_back(ManifestFloor(folder_));
    std::set<std::string> heads;
    for (RecordCategory category : categories_) {
      if (!CategoryFloor(opened.parser(), category, queries_, error_)) {
        return;
      }
      for (std::string& file : MediaFloorFiles(opened.parser(), category)) {
        heads.insert(std::move(file));
      }
    }
    // In manifest order, as the walks open them.
    for (const ManifestEntry& entry : opened.parser().manifest()) {
      std::string stored = opened.parser().StoredFilePath(entry.fileID);
      if (heads.erase(stored) != 0) {
        heads_.push_back(std::move(stored));
      }
    }
  }

  const std::string folder_;
  const std::string workFolder_;
  const std::vector<RecordCategory> categories_;
  bool made_ = false;
  std::vector<FloorQuery> queries_;
  std::vector<std::string> heads_;
  std::string error_;
};

// Configures a benchmark as every benchmark of this file runs: one timed pass per repetition,
// wall time.
void OncePerRepetition(benchmark::internal::Benchmark* benchmark, const BenchOptions& options) {
  benchmark->Iterations(1)->Repetitions(options.repetitions)->UseRealTime();
}

void ScanSample(benchmark::State& state, const BenchOptions& options, const std::string& folder,
                const CategorySet& chosen) {
  std::string work = NewWorkFolder(options, "scan");
  // Kept past the timed pass: what the user waits for ends when the results are there.
  std::unique_ptr<SampleScan> scan;
  for (auto _ : state) {
    scan = std::make_unique<SampleScan>(folder, work, chosen);
  }
  if (!scan->ok()) {
    state.SkipWithError("the sample does not open");
    return;
  }
  state.counters["records"] = static_cast<double>(RecordCount(scan->results()));
}

void QueryFloor(benchmark::State& state, const std::shared_ptr<LazyFloor>& floor) {
  std::string error;
  const std::vector<FloorQuery>* queries = floor->Get(error);
  if (queries == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    if (RunFloor(*queries, error) < 0 || ReadHeads(floor->heads(), error) < 0) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}

void LoadManifest(benchmark::State& state, const BenchOptions& options, const std::string& folder) {
  BackupSummary summary;
  std::string work = NewWorkFolder(options, "manifest");
  if (work.empty() || !ReadSummaryOfFolder(folder, summary).ok()) {
    state.SkipWithError("no work folder, or the sample has no readable Info.plist");
    return;
  }
  // Kept past the timed pass: freeing the manifest is not part of loading it.
  std::unique_ptr<CBackupParser> parser;
  for (auto _ : state) {
    parser = std::make_unique<CBackupParser>(work + "/");
    parser->SetBackup(summary);
    // Open on a plain backup is the manifest load.
    if (parser->Open(std::string()) != 0) {
      state.SkipWithError("the manifest does not load");
      break;
    }
  }
  state.counters["records"] = static_cast<double>(parser->manifest().size());
}

void RegisterScanPair(const BenchOptions& options, const std::string& folder,
                      const std::string& name, const CategorySet& chosen,
                      std::vector<RecordCategory> floorCategories) {
  OncePerRepetition(
      benchmark::RegisterBenchmark(("scan/" + name).c_str(), &ScanSample, options, folder, chosen),
      options);
  auto floor = std::make_shared<LazyFloor>(folder, JoinPath(options.work, "floor"),
                                           std::move(floorCategories));
  OncePerRepetition(benchmark::RegisterBenchmark(("floor/" + name).c_str(), &QueryFloor, floor),
                    options);
}

}  // namespace

void RegisterScanBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows) {
  std::vector<RecordCategory> every;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (info.hasReader()) {
      every.push_back(info.category);
    }
  }
  for (const char* sample : {kSmallSample, kMainSample, kLargeSample}) {
    std::string folder = SamplePath(options, sample);
    if (folder.empty()) {
      continue;
    }
    std::string name = std::string("all/") + sample;
    RegisterScanPair(options, folder, name, CategorySet::All(), every);
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
      RegisterScanPair(options, main, name, CategorySet().Add(info.category), {info.category});
      rows.push_back({"scan --only " + std::string(info.cliName), "scan/" + name, "floor/" + name,
                      RowKind::kTime, kScanGoal});
    }
  }

  std::string manifest = SamplePath(options, kManifestSample);
  if (!manifest.empty()) {
    OncePerRepetition(
        benchmark::RegisterBenchmark("manifest/load", &LoadManifest, options, manifest), options);
    auto floor = std::make_shared<LazyFloor>(manifest, JoinPath(options.work, "floor"),
                                             std::vector<RecordCategory>());
    OncePerRepetition(benchmark::RegisterBenchmark("floor/manifest", &QueryFloor, floor), options);
    rows.push_back({std::string("manifest load, ") + kManifestSample, "manifest/load",
                    "floor/manifest", RowKind::kTimePerRecord, kScanGoal});
  }
}

}  // namespace zbe::bench
