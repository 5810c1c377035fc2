#include "export/PrintPage.h"

#include <cerrno>
#include <utility>

#include "export/OutputFile.h"
#include "export/PrintFragments.h"
#include "records/ResultCodes.h"

namespace zbe {

std::string PrintPagePath(const std::string& programFolder) {
  return programFolder + "Print/page";
}

int32_t LoadPrintTemplate(const std::string& programFolder, HtmlTemplate& tmpl) {
  int32_t result = ReadTemplateFile(programFolder + std::string(kPrintTemplateFile), tmpl.raw);
  if (result != kResultOk) {
    tmpl = HtmlTemplate{};
    return result;
  }
  SplitTemplate(tmpl);
  return kResultOk;
}

PrintPageRun::PrintPageRun(PrintInputs inputs) : inputs_(std::move(inputs)) {}

PrintPageRun::~PrintPageRun() {
  if (worker_.joinable()) {
    RequestCancel();
    worker_.join();
  }
}

Result PrintPageRun::Run() {
  finished_.store(0);
  Result result = Result::System(EINVAL);
  if (inputs_.results != nullptr && inputs_.selection != nullptr && !inputs_.pagePath.empty()) {
    result = kNothingToPrint;
    if (inputs_.category) {
      HtmlTemplate tmpl;
      templateResult_ = LoadPrintTemplate(inputs_.programFolder, tmpl);
      std::string body;
      // The lock is taken at each cancel check, not around the whole build, so that a view
      // asking whether to cancel gets it at once and the build waits at its next record.
      const Result built = AppendPrintFragments(
          *inputs_.category, *inputs_.results, *inputs_.selection,
          [this] {
            std::lock_guard<std::recursive_mutex> hold(lock_);
            return cancel_.load() != 0;
          },
          body);
      result = Result::System(WriteOutputFile(inputs_.pagePath, {tmpl.head, body, tmpl.tail}));
      if (result.ok()) {
        result = built;
      }
    }
  }
  result_ = result;
  finished_.store(1);
  return result;
}

Result PrintPageRun::Start() {
  if (worker_.joinable()) {
    return Result::System(EINVAL);
  }
  finished_.store(0);
  worker_ = std::thread([this] { Run(); });
  return Result::Ok();
}

Result PrintPageRun::Wait() {
  if (worker_.joinable()) {
    worker_.join();
  }
  return result_;
}

}  // namespace zbe
