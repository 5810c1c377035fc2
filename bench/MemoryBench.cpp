// Peak resident memory of a full scan against the bytes of text its results hold. The scan runs
// in a fresh process (this program started again with --peak-memory-child), so that what earlier
// benchmarks allocated does not count. The child reads its own peak (VmHWM): the resource usage
// of a child (ru_maxrss) would not do, as Linux carries the parent's peak over into it when the
// spawned child calls exec.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchSetup.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

extern char** environ;

namespace zbe::bench {
namespace {

// A "kB" line of /proc/self/status ("VmRSS", "VmHWM") in bytes; 0 when it cannot be read.
double StatusBytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    double kilobytes = 0;
    if (line.starts_with(key + ":") &&
        std::sscanf(line.c_str() + key.size() + 1, "%lf", &kilobytes) == 1) {
      return kilobytes * 1024;
    }
  }
  return 0;
}

// Runs the child on "folder" and reads its start, peak and text bytes. False with "error" set
// when the child could not run or failed.
bool MeasureInChild(const std::string& folder, const std::string& work, double& peak, double& start,
                    double& text, std::string& error) {
  std::error_code ignored;
  std::string self = std::filesystem::read_symlink("/proc/self/exe", ignored).string();
  int ends[2];
  if (self.empty() || pipe2(ends, O_CLOEXEC) != 0) {
    error = "cannot start the child";
    return false;
  }
  UniqueFd reading(ends[0]);
  UniqueFd writing(ends[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writing.get(), STDOUT_FILENO);
  std::string flag = "--peak-memory-child";
  char* argv[] = {self.data(), flag.data(), const_cast<char*>(folder.c_str()),
                  const_cast<char*>(work.c_str()), nullptr};
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  writing.Reset();
  if (spawned != 0) {
    error = "cannot start the child";
    return false;
  }
  std::string output;
  char buffer[256];
  size_t got = 0;
  while (ReadUpTo(reading.get(), buffer, sizeof buffer, got) == 0 && got > 0) {
    output.append(buffer, got);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(output.c_str(), "%lf %lf %lf", &start, &peak, &text) != 3 || peak <= 0) {
    error = "the child's scan failed";
    return false;
  }
  return true;
}

}  // namespace

int RunPeakMemoryChild(const std::string& folder, const std::string& workFolder) {
  double start = StatusBytes("VmRSS");
  SampleScan scan(folder, workFolder, CategorySet::All());
  if (!scan.ok()) {
    return 1;
  }
  std::printf("%.0f %.0f %llu\n", start, StatusBytes("VmHWM"),
              static_cast<unsigned long long>(TextBytes(scan.results())));
  return 0;
}

void RegisterMemoryBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows) {
  for (const char* sample : {kSmallSample, kMainSample, kLargeSample}) {
    std::string folder = SamplePath(options, sample);
    if (folder.empty()) {
      continue;
    }
    std::string name = std::string("memory/") + sample;
    benchmark::RegisterBenchmark(
        name.c_str(),
        [options, folder](benchmark::State& state) {
          std::string work = NewWorkFolder(options, "memory");
          double peak = 0;
          double start = 0;
          double text = 0;
          std::string error = "cannot make the work folder";
          for (auto _ : state) {
            if (work.empty() || !MeasureInChild(folder, work, peak, start, text, error)) {
              state.SkipWithError(error.c_str());
              break;
            }
          }
          state.counters["peak"] = peak;
          state.counters["start"] = start;
          state.counters["text"] = text;
        })
        ->Iterations(1)
        ->Repetitions(1)
        ->UseRealTime();
    rows.push_back({std::string("peak memory of a full scan, ") + sample, name, "",
                    RowKind::kMemory, "≤ 2; the same at every size"});
  }
}

}  // namespace zbe::bench
