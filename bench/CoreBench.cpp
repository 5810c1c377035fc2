// The core's figures against their floors, measured in one run and printed as one table:
// the scan (everything, each category alone, the manifest load), the export of messages and of
// media, the decryption and the keybag unlock, and the peak memory of a scan, at three sample
// sizes. scripts/bench builds this in Release, writes the samples and runs it:
//
//   core_bench --samples DIR --work DIR [--repetitions N] [--program-dir DIR]
//
// DIR of --samples holds the sample backups named in BenchSetup.h (those missing are left
// out); --work is scratch space (emptied as it goes); --program-dir the program folder with the
// templates and "tool" (by default the build's). Google Benchmark's own options follow
// (--benchmark_filter=REGEX). Every benchmark runs N times (3 by default) and the table takes
// the best run. bench/README.md describes each figure and floor.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchSetup.h"
#include "bench/BenchTable.h"
#include "platform/FileSystem.h"

namespace {

// Takes this program's options out of argv (Google Benchmark reads the rest). False, after a
// message, when one lacks its value or a required one is missing.
bool TakeOptions(int& argc, char** argv, zbe::bench::BenchOptions& options) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    std::string* target = argument == "--samples"       ? &options.samples
                          : argument == "--work"        ? &options.work
                          : argument == "--program-dir" ? &options.programDir
                                                        : nullptr;
    if (target == nullptr && argument != "--repetitions") {
      argv[kept++] = argv[i];
      continue;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "core_bench: %s needs a value\n", argv[i]);
      return false;
    }
    if (target != nullptr) {
      *target = argv[++i];
    } else {
      options.repetitions = std::atoi(argv[++i]);
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  if (options.samples.empty() || options.work.empty() || options.repetitions < 1) {
    std::fprintf(stderr,
                 "usage: core_bench --samples DIR --work DIR [--repetitions N] "
                 "[--program-dir DIR] [benchmark options]\n");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zbe::bench;
  if (argc == 4 && std::string_view(argv[1]) == "--peak-memory-child") {
    return RunPeakMemoryChild(argv[2], argv[3]);
  }
  BenchOptions options;
  options.programDir = ZBE_BIN_DIR;
  if (!TakeOptions(argc, argv, options)) {
    return 1;
  }
  if (zbe::CreateFolders(options.work) != 0) {
    std::fprintf(stderr, "core_bench: cannot create %s\n", options.work.c_str());
    return 1;
  }
  // Absolute, so that the child process and the export's destination checks see the same paths.
  for (std::string* path : {&options.samples, &options.work, &options.programDir}) {
    *path = std::filesystem::absolute(*path).lexically_normal().string();
    if (path->size() > 1 && path->back() == '/') {
      path->pop_back();
    }
  }
  // The parsers look for backups below the data folder; give them an empty one of their own.
  setenv("XDG_DATA_HOME", zbe::JoinPath(options.work, "home").c_str(), 1);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  std::vector<TableRow> rows;
  RegisterScanBenchmarks(options, rows);
  RegisterExportBenchmarks(options, rows);
  RegisterDecryptionBenchmarks(options, rows);
  RegisterMemoryBenchmarks(options, rows);
  if (rows.empty()) {
    std::fprintf(stderr, "core_bench: no sample backups in %s\n", options.samples.c_str());
    return 1;
  }
  TableReporter reporter(std::move(rows));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
