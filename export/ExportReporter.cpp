#include "export/ExportReporter.h"

#include "records/ResultCodes.h"

namespace zbe {

ExportReporter::ExportReporter(IExportObserver* observer) : observer_(observer) {}

void ExportReporter::Start(int32_t total) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  counts_ = ExportCounts{};
  counts_.total = total;
}

int32_t ExportReporter::Progress(int32_t percent, const std::string& path) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (cancelled()) {
    return kResultStopped;
  }
  if (observer_ != nullptr) {
    observer_->OnProgress(percent, path, counts_);
  }
  return kResultOk;
}

Result ExportReporter::Finished(const std::string& path, const Result& result) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (cancelled()) {
    return Result::Stopped();
  }
  counts_.done += 1;
  if (!result.ok()) {
    counts_.failed += 1;
  }
  counts_.succeeded = counts_.done - counts_.failed;
  if (observer_ != nullptr) {
    observer_->OnFileFinished(FinishedFile{path, result.code(), result.Text()}, counts_);
    observer_->OnProgress(100, path, counts_);
  }
  return Result::Ok();
}

ExportCounts ExportReporter::counts() const {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  return counts_;
}

int32_t FileProgressFilter::OnFileProgress(int32_t percent, int32_t errorCode,
                                           const std::string& path) {
  (void)errorCode;  // a failure reaches the run as the writer's or copy's result
  if (percent >= 100) {
    return reporter_.cancelled() ? kResultStopped : kResultOk;
  }
  return reporter_.Progress(percent < 0 ? 0 : percent, path);
}

}  // namespace zbe
