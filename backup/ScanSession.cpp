#include "backup/ScanSession.h"

#include <algorithm>

#include "backup/CBackupParser.h"
#include "backup/RecoverySource.h"
#include "backup/ScanSteps.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"

namespace zbe {

ScanSession::ScanSession(CBackupParser& parser, ScanObserver* observer)
    : parser_(parser), observer_(observer), storedFiles_(parser) {}

ScanSession::~ScanSession() {
  // The parser outlives the session and must not call back into it.
  if (source_ != nullptr) {
    source_->SetProgressCallback(nullptr, nullptr);
  }
}

int32_t ScanSession::OnSourceProgress(void* userData, int32_t progress) {
  auto* session = static_cast<ScanSession*>(userData);
  return session->observer_ != nullptr ? session->observer_->OnProgress(progress) : 0;
}

int32_t ScanSession::Run(const BackupSummary& summary, const std::string& password,
                         const CategorySet& chosen) {
  results_ = ScanResults();
  parser_.SetBackup(summary);
  source_.reset();
  source_ = CreateLocalBackupSource(parser_);
  source_->SetProgressCallback(&ScanSession::OnSourceProgress, this);

  int32_t result = source_->Open(password);
  results_.openResult = result;
  results_.result = result;
  if (observer_ != nullptr) {
    observer_->OnOpened(result);
  }
  if (result == kResultStopped || result == kResultWrongPassword) {
    return result;
  }
  results_.result = ReadCategories(chosen, result);
  return results_.result;
}

void ScanSession::Populate(RecordCategory category, int32_t result) {
  results_.categoryResults[static_cast<size_t>(category)] = result;
  if (observer_ != nullptr) {
    observer_->OnCategoryPopulated(category, results_);
  }
}

int32_t ScanSession::ReadCategories(const CategorySet& chosen, int32_t openResult) {
  int32_t result = openResult;
  for (const ScanStep& step : ScanSteps()) {
    auto ofStep = [&step](const RecordCategoryInfo& info) { return info.readStep == step.step; };
    const auto& table = RecordCategories();
    if (std::none_of(table.begin(), table.end(), [&](const RecordCategoryInfo& info) {
          return ofStep(info) && chosen.Has(info.category);
        })) {
      continue;
    }
    result = step.read(*source_, results_);
    if (result == kResultStopped) {
      return result;
    }
    // An operation that fills two categories fills both; one that was not chosen keeps nothing.
    for (const RecordCategoryInfo& info : table) {
      if (!ofStep(info)) {
        continue;
      }
      if (chosen.Has(info.category)) {
        Populate(info.category, result);
      } else {
        ClearContainer(results_, info.category);
      }
    }
  }
  return result;
}

}  // namespace zbe
