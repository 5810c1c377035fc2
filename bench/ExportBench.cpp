// The export, in-process as zbe export runs it (scan, everything checked, one export run), of
// the messages and of the media files, each against the plain file system doing the same
// writing: the exported message files written back from memory, the stored media files copied
// with copy_file_range.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>

#include "bench/BenchSetup.h"
#include "export/ExportRun.h"
#include "export/SelectionFill.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "records/CategoryTable.h"

namespace zbe::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A scan of the main sample with everything it found checked, made once and shared by a figure
// and its floor.
class ExportSetup {
 public:
  ExportSetup(BenchOptions options, std::string folder, CategorySet chosen)
      : options_(std::move(options)), folder_(std::move(folder)), chosen_(chosen) {}

  // Scans on the first call. Null after putting the reason into "error".
  SampleScan* Scan(std::string& error) {
    if (scan_ == nullptr) {
      scan_ =
          std::make_unique<SampleScan>(folder_, JoinPath(options_.work, "export-scan"), chosen_);
      FillSelection(scan_->results(), selection_);
    }
    if (!scan_->ok()) {
      error = "the sample does not open";
      return nullptr;
    }
    return scan_.get();
  }

  // One export run of the scan into "destination" (made fresh). Returns the run's wall time, or
  // a negative value after putting the reason into "error".
  double Export(const std::string& destination, std::string& error) {
    SampleScan* scan = Scan(error);
    if (scan == nullptr) {
      return -1;
    }
    ExportInputs inputs;
    inputs.results = &scan->results();
    inputs.selection = &selection_;
    inputs.storedFiles = &scan->session().storedFiles();
    inputs.destinationRoot = destination;
    inputs.programFolder = options_.programDir + "/";
    inputs.deviceName = scan->summary().displayName;
    inputs.backupFolder = folder_;
    auto start = Clock::now();
    ExportRun run(std::move(inputs), nullptr);
    Result result = run.Run();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!result.ok() || run.counts().failed != 0) {
      error = "the export failed: " + result.Text() + ", " + std::to_string(run.counts().failed) +
              " files failed";
      return -1;
    }
    return seconds;
  }

  const BenchOptions& options() const { return options_; }

 private:
  const BenchOptions options_;
  const std::string folder_;
  const CategorySet chosen_;
  std::unique_ptr<SampleScan> scan_;
  CStatisticsObj selection_;
};

// Every folder and file below "root" (paths relative to it) with the files' bytes.
struct CapturedTree {
  std::vector<std::string> folders;
  std::vector<std::pair<std::string, std::string>> files;
};

bool Capture(const std::string& root, CapturedTree& tree) {
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    std::string relative = fs::relative(it->path(), root).string();
    if (it->is_directory()) {
      tree.folders.push_back(relative);
    } else {
      std::string bytes;
      if (ReadFileBytes(it->path().string(), SIZE_MAX, bytes) != 0) {
        return false;
      }
      tree.files.emplace_back(relative, std::move(bytes));
    }
  }
  return !error;
}

// Writes "tree" below "root" with one open, write and close per file. False on a failure.
bool WriteTree(const CapturedTree& tree, const std::string& root) {
  for (const std::string& folder : tree.folders) {
    if (mkdir(JoinPath(root, folder).c_str(), 0755) != 0) {
      return false;
    }
  }
  for (const auto& [relative, bytes] : tree.files) {
    UniqueFd fd(
        open(JoinPath(root, relative).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0 || WriteAllBytes(fd.get(), bytes) != 0) {
      return false;
    }
  }
  return true;
}

// Copies "source" to the new file "destination" with copy_file_range. False on a failure.
bool CopyWithKernel(const std::string& source, const std::string& destination) {
  UniqueFd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  UniqueFd out(open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (in.get() < 0 || out.get() < 0) {
    return false;
  }
  while (true) {
    ssize_t copied = copy_file_range(in.get(), nullptr, out.get(), nullptr, 1 << 30, 0);
    if (copied == 0) {
      return true;
    }
    if (copied < 0 && errno != EINTR) {
      return false;
    }
  }
}

// The stored paths of the media items of "results".
std::vector<std::string> MediaPaths(const ScanResults& results) {
  std::vector<std::string> paths;
  auto add = [&paths](const auto& items) {
    for (const auto& item : items) {
      paths.push_back(item.path);
    }
  };
  add(results.cameraRoll);
  add(results.photoStream);
  add(results.messageAttachments);
  add(results.whatsAppAttachments);
  for (const auto* groups : {&results.appPhotos, &results.appVideos}) {
    for (const auto& [app, items] : *groups) {
      add(items);
    }
  }
  return paths;
}

uint64_t MessageCount(const ScanResults& results) {
  uint64_t count = 0;
  for (const auto& [handle, thread] : results.messages) {
    count += thread.size();
  }
  return count;
}

// One pass of a benchmark of this file: times itself and returns the seconds, or a negative
// value after putting the reason into "error".
template <typename... Args>
using Pass = double (*)(benchmark::State& state, std::string& error, const Args&... args);

// Registers "pass" as a benchmark of one pass per repetition, timed by the pass itself.
template <typename... Args>
void RegisterPass(const std::string& name, int repetitions, Pass<Args...> pass,
                  const Args&... args) {
  auto run = [pass](benchmark::State& state, const Args&... captured) {
    for (auto _ : state) {
      std::string error;
      double seconds = pass(state, error, captured...);
      if (seconds < 0) {
        state.SkipWithError(error.c_str());
        break;
      }
      state.SetIterationTime(seconds);
    }
  };
  benchmark::RegisterBenchmark(name.c_str(), run, args...)
      ->Iterations(1)
      ->Repetitions(repetitions)
      ->UseManualTime();
}

using SharedSetup = std::shared_ptr<ExportSetup>;
using SharedTree = std::shared_ptr<CapturedTree>;

// The export of the messages; its first pass keeps what it wrote in "tree" for the floor.
double ExportMessages(benchmark::State& state, std::string& error, const SharedSetup& setup,
                      const SharedTree& tree) {
  std::string destination = NewWorkFolder(setup->options(), "export-messages");
  double seconds = setup->Export(destination, error);
  if (seconds < 0) {
    return -1;
  }
  if (tree->files.empty() && !Capture(destination, *tree)) {
    error = "cannot read back the exported files";
    return -1;
  }
  state.counters["items"] = static_cast<double>(MessageCount(setup->Scan(error)->results()));
  return seconds;
}

double WriteMessageFiles(benchmark::State& state, std::string& error, const SharedSetup& setup,
                         const SharedTree& tree) {
  if (tree->files.empty()) {
    error = "the export did not run";
    return -1;
  }
  std::string destination = NewWorkFolder(setup->options(), "export-messages");
  auto start = Clock::now();
  bool written = WriteTree(*tree, destination);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!written) {
    error = "cannot write the files";
    return -1;
  }
  state.counters["items"] = static_cast<double>(MessageCount(setup->Scan(error)->results()));
  return seconds;
}

// The bytes of the stored media files, from the file system (the items keep only 32 bits).
double StoredBytes(const ScanResults& results) {
  double bytes = 0;
  for (const std::string& path : MediaPaths(results)) {
    bytes += static_cast<double>(FileSize(path).value_or(0));
  }
  return bytes;
}

double ExportMedia(benchmark::State& state, std::string& error, const SharedSetup& setup) {
  double seconds = setup->Export(NewWorkFolder(setup->options(), "export-media"), error);
  if (seconds >= 0) {
    state.counters["bytes"] = StoredBytes(setup->Scan(error)->results());
  }
  return seconds;
}

double CopyMediaFiles(benchmark::State& state, std::string& error, const SharedSetup& setup) {
  SampleScan* scan = setup->Scan(error);
  if (scan == nullptr) {
    return -1;
  }
  std::vector<std::string> paths = MediaPaths(scan->results());
  std::string destination = NewWorkFolder(setup->options(), "export-media");
  auto start = Clock::now();
  bool copied = true;
  for (size_t i = 0; copied && i < paths.size(); ++i) {
    copied = CopyWithKernel(paths[i], JoinPath(destination, std::to_string(i)));
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!copied) {
    error = "copy_file_range failed";
    return -1;
  }
  state.counters["bytes"] = StoredBytes(scan->results());
  return seconds;
}

void RegisterMessageExport(const BenchOptions& options, const std::string& folder,
                           std::vector<TableRow>& rows) {
  auto setup =
      std::make_shared<ExportSetup>(options, folder, CategorySet().Add(RecordCategory::kMessages));
  auto tree = std::make_shared<CapturedTree>();
  RegisterPass<SharedSetup, SharedTree>("export/messages", options.repetitions, &ExportMessages,
                                        setup, tree);
  RegisterPass<SharedSetup, SharedTree>("floor/export-messages", options.repetitions,
                                        &WriteMessageFiles, setup, tree);
  rows.push_back({std::string("export of the messages, ") + kMainSample, "export/messages",
                  "floor/export-messages", RowKind::kItemRate, "≥ 300,000 messages/s", "messages"});
}

void RegisterMediaExport(const BenchOptions& options, const std::string& folder,
                         std::vector<TableRow>& rows) {
  CategorySet media;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (info.shape == CategoryShape::kFiles || info.shape == CategoryShape::kAppFiles) {
      media.Add(info.category);
    }
  }
  auto setup = std::make_shared<ExportSetup>(options, folder, media);
  RegisterPass<SharedSetup>("export/media", options.repetitions, &ExportMedia, setup);
  RegisterPass<SharedSetup>("floor/export-media", options.repetitions, &CopyMediaFiles, setup);
  rows.push_back({std::string("export of the media files, ") + kMainSample, "export/media",
                  "floor/export-media", RowKind::kByteRate, "≥ 0.9"});
}

}  // namespace

void RegisterExportBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows) {
  std::string folder = SamplePath(options, kMainSample);
  if (folder.empty()) {
    return;
  }
  RegisterMessageExport(options, folder, rows);
  RegisterMediaExport(options, folder, rows);
}

}  // namespace zbe::bench
