#pragma once

// An IExportObserver that records what an export run tells its view, and can act on a report
// (cancel the run at a chosen point, say).

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "export/ExportObserver.h"

namespace zbe::test {

struct ProgressCall {
  int32_t percent = 0;
  std::string path;
  ExportCounts counts;
};

class ExportRecorder : public IExportObserver {
 public:
  void OnFileFinished(const FinishedFile& file, const ExportCounts& counts) override {
    finished.push_back(file);
    finishedCounts.push_back(counts);
    threads.push_back(std::this_thread::get_id());
  }
  void OnProgress(int32_t percent, const std::string& path, const ExportCounts& counts) override {
    progress.push_back({percent, path, counts});
    threads.push_back(std::this_thread::get_id());
    if (onProgress) {
      onProgress(percent, path);
    }
  }
  void OnRunFinished(int32_t result, const ExportCounts& counts) override {
    runResult = result;
    runCounts = counts;
    ++runFinishedCalls;
  }

  // The paths of the finished files, in order.
  std::vector<std::string> FinishedPaths() const {
    std::vector<std::string> paths;
    for (const FinishedFile& file : finished) {
      paths.push_back(file.path);
    }
    return paths;
  }

  std::vector<FinishedFile> finished;
  std::vector<ExportCounts> finishedCounts;
  std::vector<ProgressCall> progress;
  std::vector<std::thread::id> threads;
  std::optional<int32_t> runResult;
  ExportCounts runCounts;
  int runFinishedCalls = 0;
  std::function<void(int32_t, const std::string&)> onProgress;
};

}  // namespace zbe::test
