#include "tests/app/ScannedBackup.h"

#include <gtest/gtest.h>

#include "backup/BackupDiscovery.h"
#include "export/SelectionFill.h"
#include "tests/app/AppTestSupport.h"

namespace zbe::test {

ScannedBackup::ScannedBackup(const std::string& folder) : folder_(folder) {
  EXPECT_EQ(ReadSummaryOfFolder(folder, summary_), Result::Ok()) << folder;
  parser_ = std::make_unique<CBackupParser>(work_ / "work/", work_ / "decrypted/");
  parser_->SetProgramFolder(ProgramFolder());
  session_ = std::make_unique<ScanSession>(*parser_);
  session_->Run(summary_, "", CategorySet::All());
  FillSelection(session_->results(), selection_);
}

// The session goes before the parser it borrows.
ScannedBackup::~ScannedBackup() {
  session_.reset();
  parser_.reset();
}

std::tm ScannedBackup::FixedTime() {
  std::tm t{};
  t.tm_year = 2021 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 4;
  t.tm_hour = 5;
  t.tm_min = 6;
  t.tm_sec = 7;
  return t;
}

ExportInputs ScannedBackup::ExportInto(const std::string& destination) {
  ExportInputs inputs;
  inputs.results = &session_->results();
  inputs.selection = &selection_;
  inputs.storedFiles = &session_->storedFiles();
  inputs.destinationRoot = destination;
  inputs.programFolder = ProgramFolder();
  inputs.deviceName = summary_.displayName;
  inputs.backupFolder = folder_;
  inputs.localTime = &FixedTime;
  return inputs;
}

PrintInputs ScannedBackup::PrintOf(std::optional<RecordCategory> category,
                                   const std::string& pagePath) {
  PrintInputs inputs;
  inputs.results = &session_->results();
  inputs.selection = &selection_;
  inputs.category = category;
  inputs.programFolder = ProgramFolder();
  inputs.pagePath = pagePath;
  return inputs;
}

}  // namespace zbe::test
