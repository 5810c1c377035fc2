#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "export/CStatisticsObj.h"
#include "export/Template.h"
#include "records/Result.h"
#include "records/ScanResults.h"

namespace zbe {

// The print page: one HTML file with the checked records of one category, between the head and
// the tail of the print template, which the print window shows and zbe print writes.

// The print window's page file: "programFolder" (ending in "/") + "Print/page" (no extension;
// rewritten by every print).
std::string PrintPagePath(const std::string& programFolder);

// Reads "programFolder" + "template/Print.html" into "tmpl" and splits it at its first
// "{|content|}" (no placeholder is filled). Returns 0, or the errno of reading it; then head and
// tail are empty, so that the page is the body alone.
int32_t LoadPrintTemplate(const std::string& programFolder, HtmlTemplate& tmpl);

// Result of a print run without a category to print: nothing was written.
inline constexpr ResultCode kNothingToPrint{-1106, "No category was chosen to print"};

// What a print works on. Everything borrowed must outlive the run and stay unchanged while it
// runs.
struct PrintInputs {
  const ScanResults* results = nullptr;
  const CStatisticsObj* selection = nullptr;
  std::optional<RecordCategory> category;  // the category node selected; none: no page
  std::string programFolder;               // ends in "/"; the template lies below it
  std::string pagePath;                    // the page file (its folder is created when missing)
};

// One print: reads the template (a missing one leaves the body alone), builds the body with
// the category's fragment builder (PrintFragments.h; other categories give an empty body),
// taking the build lock at each of its cancel checks, and writes head + body + tail to the page
// file, also when the build was cancelled (with the blocks built so far). Run works on the calling
// thread, Start on a worker of its own; RequestCancel may come from any thread or a signal handler.
// Not copyable.
class PrintPageRun {
 public:
  explicit PrintPageRun(PrintInputs inputs);
  // Cancels a started run and waits for its worker.
  ~PrintPageRun();
  PrintPageRun(const PrintPageRun&) = delete;
  PrintPageRun& operator=(const PrintPageRun&) = delete;

  // Builds and writes the page. Returns success (the page is ready), a stop (cancelled; the
  // page was written with the blocks built so far), the system error of creating or writing the
  // page, kNothingToPrint when no category was given (nothing written), or the system error
  // EINVAL when an input is missing. Call Run or Start once per object.
  Result Run();

  // Runs Run on a worker thread. Returns success, or the system error EINVAL when already
  // started.
  Result Start();
  // True before the worker starts and once it has ended.
  bool finished() const { return finished_.load() != 0; }
  // Waits for a started worker; returns the result of Run.
  Result Wait();

  void RequestCancel() noexcept { cancel_.store(1); }

  // Taken by the build before each record (each message of Messages and WhatsApp). The print
  // window holds it while it asks whether to cancel, so the build waits at its next record.
  std::recursive_mutex& buildLock() { return lock_; }

  // 0, or the errno of reading the template (the page is then the body alone).
  int32_t templateResult() const { return templateResult_; }

 private:
  const PrintInputs inputs_;
  std::atomic<int> cancel_{0};
  std::atomic<int> finished_{1};
  std::recursive_mutex lock_;
  int32_t templateResult_ = 0;
  Result result_;
  std::thread worker_;
};

}  // namespace zbe
