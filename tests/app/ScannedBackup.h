// A backup scanned the way the scan page scans it (the core's ScanSession, every category),
// with its selection all checked: what the export and print windows work on.
#pragma once

#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "backup/BackupSummary.h"
#include "backup/CBackupParser.h"
#include "backup/ScanSession.h"
#include "export/CStatisticsObj.h"
#include "export/ExportRun.h"
#include "export/PrintPage.h"
#include "support/TestFiles.h"

namespace zbe::test {

class ScannedBackup {
 public:
  // Scans the plain backup in "folder" (fails the test when it cannot be read).
  explicit ScannedBackup(const std::string& folder);
  ~ScannedBackup();

  const std::string& folder() const { return folder_; }
  const BackupSummary& summary() const { return summary_; }
  ScanResults& results() { return session_->results(); }
  CStatisticsObj& selection() { return selection_; }
  IStoredFileSource& storedFiles() { return session_->storedFiles(); }

  // The inputs of an export into "destination", its run stamp from a fixed local time.
  ExportInputs ExportInto(const std::string& destination);
  // The inputs of a print of "category" with the page at "pagePath".
  PrintInputs PrintOf(std::optional<RecordCategory> category, const std::string& pagePath);

  // 2021-03-04 05:06:07, the local time of every test export.
  static std::tm FixedTime();

 private:
  std::string folder_;
  TempFolder work_;
  BackupSummary summary_;
  std::unique_ptr<CBackupParser> parser_;
  std::unique_ptr<ScanSession> session_;
  CStatisticsObj selection_;
};

}  // namespace zbe::test
