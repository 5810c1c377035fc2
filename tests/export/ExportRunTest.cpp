// The export run on a scanned sample backup: the output tree and its names, reports and counts,
// unique names on a second run, the end step's files, unchecked items, failing copies, hostile
// names, cancel, templates, the destination check and the worker thread.

#include "export/ExportRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

#include "backup/CBackupParser.h"
#include "backup/ScanSession.h"
#include "backup/StoredFiles.h"
#include "export/ExportRecorder.h"
#include "export/RowBuilders.h"
#include "export/SelectionFill.h"
#include "export/Template.h"
#include "platform/FileSystem.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

namespace fs = std::filesystem;
using test::ExportRecorder;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

constexpr const char* kStamp = "20240305070809";
const std::string kProgramFolder = std::string(ZBE_BIN_DIR) + "/";

std::tm FixedLocalTime() {
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 5;
  local.tm_hour = 7;
  local.tm_min = 8;
  local.tm_sec = 9;
  return local;
}

// Every file below "root", as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& root) {
  std::vector<std::string> files;
  if (!fs::exists(root)) {
    return files;
  }
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) {
      files.push_back(fs::relative(entry.path(), root).string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Has(const std::vector<std::string>& files, const std::string& file) {
  return std::find(files.begin(), files.end(), file) != files.end();
}

// One scan of the full sample (record databases included), shared by the suite: exports only
// read the backup, so every test starts from the same results.
struct ScannedSample {
  TempFolder temp;
  std::string backup = temp / "backup";
  std::unique_ptr<CBackupParser> parser;
  std::unique_ptr<ScanSession> session;
  BackupSummary summary;
  test::FolderSnapshot before;

  ScannedSample() {
    mkbackup::SampleOptions options;
    options.lastBackupDate = 1580512205;
    test::WriteSample(mkbackup::MakeSampleBackup(options), backup);
    parser = std::make_unique<CBackupParser>(temp / "work");
    parser->ReadBackupSummary(backup, summary);
    session = std::make_unique<ScanSession>(*parser);
    session->Run(summary, "", CategorySet::All());
    before = test::SnapshotFolder(backup);
  }
};

class ExportRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sample_ = new ScannedSample; }
  static void TearDownTestSuite() {
    delete sample_;
    sample_ = nullptr;
  }

  ExportRunTest() : results_(sample_->session->results()) { FillSelection(results_, selection_); }

  ExportInputs Inputs() {
    ExportInputs inputs;
    inputs.results = &results_;
    inputs.selection = &selection_;
    inputs.storedFiles = &sample_->session->storedFiles();
    inputs.destinationRoot = root_;
    inputs.programFolder = kProgramFolder;
    inputs.deviceName = sample_->summary.displayName;
    inputs.backupFolder = sample_->backup;
    inputs.localTime = FixedLocalTime;
    return inputs;
  }

  Result RunExport(ExportRecorder& recorder) {
    ExportRun run(Inputs(), &recorder);
    return run.Run();
  }

  // Unchecks every category but "keep".
  void CheckOnly(std::initializer_list<RecordCategory> keep) {
    for (int32_t i = 0; i < kRecordCategoryCount; ++i) {
      auto category = static_cast<RecordCategory>(i);
      selection_.SetCategoryChecked(category,
                                    std::find(keep.begin(), keep.end(), category) != keep.end());
    }
  }

  HtmlTemplate Template(TemplateKind kind) {
    HtmlTemplate tmpl;
    EXPECT_EQ(LoadTemplate(kind, kProgramFolder, sample_->summary.displayName, tmpl), 0);
    return tmpl;
  }

  static ScannedSample* sample_;
  ScanResults results_;
  CStatisticsObj selection_;
  TempFolder out_;
  std::string root_ = out_ / "export";
};

ScannedSample* ExportRunTest::sample_ = nullptr;

TEST_F(ExportRunTest, WritesEveryCheckedItemIntoTheLayoutWithTheRunStamp) {
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  const std::string stamp = kStamp;
  std::vector<std::string> files = FilesBelow(root_);
  EXPECT_TRUE(Has(files, "Camera Roll/" + results_.cameraRoll[0].name));
  EXPECT_TRUE(Has(files, "Photo Stream/" + results_.photoStream[0].name));
  const auto& [app, items] = *results_.appPhotos.begin();
  EXPECT_TRUE(Has(files, "App Photos/" + app + "/" + items[0].name));
  EXPECT_TRUE(Has(files, "App Video/" + results_.appVideos.begin()->first + "/" +
                             results_.appVideos.begin()->second[0].name));
  EXPECT_TRUE(Has(files, "Message Attachments/" + results_.messageAttachments[0].name));
  EXPECT_TRUE(Has(files, "WhatsApp Attachments/" + results_.whatsAppAttachments[0].name));
  EXPECT_TRUE(Has(files, "CallHistory/CallHistory_" + stamp + ".html"));
  EXPECT_TRUE(Has(files, "Notes/Notes_" + stamp + ".html"));
  EXPECT_TRUE(Has(files, "Contacts/" + stamp + "/Contacts.html"));
  EXPECT_TRUE(Has(files, "Contacts/" + stamp + "/Contacts.sqlite"));
  EXPECT_TRUE(Has(files, "Message/sms.sqlite"));

  // Threads without a contact name share "Unknown-<stamp>" and differ by their senders.
  int unknownThreads = 0;
  for (const MessageRecord& row : results_.conversationRows) {
    std::string folder =
        "Message/" + (row.contactName.empty() ? "Unknown" : row.contactName) + "-" + stamp + "/";
    if (row.contactName.empty()) {
      ++unknownThreads;
      EXPECT_TRUE(Has(files, folder + "Unknown(" + row.sender + ").txt")) << row.sender;
      EXPECT_TRUE(Has(files, folder + "Unknown(" + row.sender + ").html")) << row.sender;
    }
  }
  EXPECT_GE(unknownThreads, 2);

  // A group chat is named by its chat name; a chat without any name is "Unknown".
  bool sawGroup = false;
  for (const WhatsAppMessage& row : results_.chatRows) {
    if (row.memberNames.find(',') != std::string::npos && row.chatName == "Family 🏡") {
      sawGroup = true;
    }
  }
  ASSERT_TRUE(sawGroup);
  for (const char* extension : {".txt", ".csv", ".html"}) {
    EXPECT_TRUE(Has(files, "WhatsApp Message/Family 🏡-" + stamp + "/Family 🏡" + extension));
    EXPECT_TRUE(Has(files, "WhatsApp Message/Unknown-" + stamp + "/Unknown" + extension));
  }

  // One finished report per checked item, all successful.
  ExportCounts counts = recorder.runCounts;
  EXPECT_EQ(recorder.runResult, 0);
  EXPECT_EQ(recorder.runFinishedCalls, 1);
  EXPECT_EQ(static_cast<uint64_t>(counts.total), selection_.Totals().checkedCount);
  EXPECT_EQ(counts, (ExportCounts{counts.total, counts.total, counts.total, 0}));
  EXPECT_EQ(recorder.finished.size(), static_cast<size_t>(counts.total));
  for (const FinishedFile& file : recorder.finished) {
    EXPECT_EQ(file.status, "Success") << file.path;
    EXPECT_EQ(file.path.rfind(root_ + "/", 0), 0u) << file.path;
  }
}

TEST_F(ExportRunTest, CopiesAreByteIdenticalAndTheBackupIsUnchanged) {
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  for (const MediaFileItem& item : results_.cameraRoll) {
    EXPECT_EQ(ReadFile(root_ + "/Camera Roll/" + item.name), ReadFile(item.path)) << item.name;
  }
  EXPECT_EQ(ReadFile(root_ + "/Message/sms.sqlite"),
            ReadFile(sample_->parser->StoredFilePath(kMessagesHashedName)));
  EXPECT_EQ(ReadFile(root_ + "/Contacts/" + kStamp + "/Contacts.sqlite"),
            ReadFile(sample_->parser->StoredFilePath(kAddressBookHashedName)));
  EXPECT_EQ(test::SnapshotFolder(sample_->backup), sample_->before);
}

TEST_F(ExportRunTest, RowFilesAreHeadRowsAndTailInWalkOrder) {
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  std::string calls;
  for (const CallRecord& call : results_.calls) {
    AppendCallRow(call, calls);
  }
  HtmlTemplate callTemplate = Template(TemplateKind::kCallHistory);
  EXPECT_EQ(ReadFile(root_ + "/CallHistory/CallHistory_" + kStamp + ".html"),
            callTemplate.head + calls + callTemplate.tail);
  EXPECT_NE(callTemplate.head.find("iPhone's Call History of " + sample_->summary.displayName),
            std::string::npos);
  std::string notes;
  for (const NoteRecord& note : results_.notes) {
    AppendNoteRow(note, notes);
  }
  HtmlTemplate notesTemplate = Template(TemplateKind::kNotes);
  EXPECT_EQ(ReadFile(root_ + "/Notes/Notes_" + kStamp + ".html"),
            notesTemplate.head + notes + notesTemplate.tail);
}

TEST_F(ExportRunTest, FiveContactsGiveFiveSuccessReportsForOneFile) {
  CheckOnly({});
  for (size_t i = 0; i < 5; ++i) {
    selection_.SetItemChecked(RecordCategory::kContacts, i, true);
  }
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  const std::string html = root_ + "/Contacts/" + kStamp + "/Contacts.html";
  EXPECT_EQ(recorder.FinishedPaths(), std::vector<std::string>(5, html));
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(recorder.finishedCounts[static_cast<size_t>(i)], (ExportCounts{i + 1, 5, i + 1, 0}));
  }
  std::string rows;
  for (size_t i = 0; i < 5; ++i) {
    AppendContactRow(results_.contacts[i], rows);
  }
  HtmlTemplate tmpl = Template(TemplateKind::kContacts);
  EXPECT_EQ(ReadFile(html), tmpl.head + rows + tmpl.tail);
  EXPECT_EQ(FilesBelow(root_),
            (std::vector<std::string>{std::string("Contacts/") + kStamp + "/Contacts.html",
                                      std::string("Contacts/") + kStamp + "/Contacts.sqlite"}));
}

TEST_F(ExportRunTest, NothingCheckedEndsAtOnceAndWritesNothing) {
  CheckOnly({});
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  EXPECT_TRUE(recorder.finished.empty());
  EXPECT_TRUE(recorder.progress.empty());
  EXPECT_EQ(recorder.runResult, 0);
  EXPECT_EQ(recorder.runCounts, ExportCounts{});
  EXPECT_FALSE(PathExists(root_));
}

TEST_F(ExportRunTest, UncheckedItemsAreSkipped) {
  const std::string skippedPhoto = results_.cameraRoll[1].name;
  selection_.SetItemChecked(RecordCategory::kCameraRoll, 1, false);
  selection_.SetItemChecked(RecordCategory::kMessages, 0, false);
  const auto& [app, items] = *results_.appPhotos.begin();
  selection_.SetAppFolderChecked(RecordCategory::kAppPhotos, app, false);
  selection_.SetCategoryChecked(RecordCategory::kNotes, false);
  const MessageRecord& skippedThread = results_.conversationRows[0];
  ASSERT_FALSE(skippedThread.contactName.empty());
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  std::vector<std::string> files = FilesBelow(root_);
  EXPECT_FALSE(Has(files, "Camera Roll/" + skippedPhoto));
  EXPECT_TRUE(Has(files, "Camera Roll/" + results_.cameraRoll[0].name));
  EXPECT_FALSE(PathExists(root_ + "/App Photos/" + app));
  EXPECT_FALSE(PathExists(root_ + "/Message/" + skippedThread.contactName + "-" + kStamp));
  EXPECT_FALSE(PathExists(root_ + "/Notes"));
  EXPECT_EQ(static_cast<uint64_t>(recorder.runCounts.done), selection_.Totals().checkedCount);
}

TEST_F(ExportRunTest, ASecondRunWithTheSameStampNumbersItsFiles) {
  ExportRecorder first;
  ASSERT_EQ(RunExport(first), Result::Ok());
  std::vector<std::string> firstFiles = FilesBelow(root_);
  std::string firstCalls = ReadFile(root_ + "/CallHistory/CallHistory_" + kStamp + ".html");
  ExportRecorder second;
  ASSERT_EQ(RunExport(second), Result::Ok());
  EXPECT_EQ(second.runCounts.failed, 0);
  std::vector<std::string> files = FilesBelow(root_);
  EXPECT_EQ(files.size(), 2 * firstFiles.size());
  const std::string stamp = kStamp;
  std::string photo = results_.cameraRoll[0].name;
  std::string stem = photo.substr(0, photo.rfind('.'));
  EXPECT_TRUE(Has(files, "Camera Roll/" + stem + "(1)" + photo.substr(photo.rfind('.'))));
  EXPECT_TRUE(Has(files, "CallHistory/CallHistory_" + stamp + "(1).html"));
  EXPECT_TRUE(Has(files, "Notes/Notes_" + stamp + "(1).html"));
  EXPECT_TRUE(Has(files, "Contacts/" + stamp + "/Contacts(1).html"));
  EXPECT_TRUE(Has(files, "Contacts/" + stamp + "/Contacts(1).sqlite"));
  EXPECT_TRUE(Has(files, "Message/sms(1).sqlite"));
  EXPECT_TRUE(Has(files, "WhatsApp Message/Family 🏡-" + stamp + "/Family 🏡(1).csv"));
  // The first run's files are untouched, and the reports name the files written.
  EXPECT_EQ(ReadFile(root_ + "/CallHistory/CallHistory_" + kStamp + ".html"), firstCalls);
  EXPECT_EQ(ReadFile(root_ + "/CallHistory/CallHistory_" + kStamp + "(1).html"), firstCalls);
  for (const std::string& path : second.FinishedPaths()) {
    EXPECT_TRUE(PathExists(path)) << path;
  }
}

TEST_F(ExportRunTest, AFailingCopyIsReportedAndTheRunGoesOn) {
  CheckOnly({RecordCategory::kCameraRoll});
  results_.cameraRoll[1].path = out_ / "missing-stored-file";
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  const std::string failed = root_ + "/Camera Roll/" + results_.cameraRoll[1].name;
  ASSERT_EQ(recorder.finished.size(), results_.cameraRoll.size());
  EXPECT_EQ(recorder.finished[1],
            (FinishedFile{failed, 87, "A needed file is missing or could not be opened"}));
  EXPECT_FALSE(PathExists(failed));
  EXPECT_EQ(recorder.finished.back().status, "Success");
  int32_t total = static_cast<int32_t>(results_.cameraRoll.size());
  EXPECT_EQ(recorder.runCounts, (ExportCounts{total, total, total - 1, 1}));
}

TEST_F(ExportRunTest, AFolderThatCannotBeMadeFailsItsItems) {
  CheckOnly({RecordCategory::kCameraRoll, RecordCategory::kNotes});
  WriteFile(root_ + "/Camera Roll", "a file in the way");
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  int32_t photos = static_cast<int32_t>(results_.cameraRoll.size());
  EXPECT_EQ(recorder.runCounts.failed, photos);
  EXPECT_EQ(recorder.finished[0].path, root_ + "/Camera Roll/" + results_.cameraRoll[0].name);
  EXPECT_EQ(recorder.finished[0].status, "Not a directory");
  EXPECT_TRUE(PathExists(root_ + "/Notes/Notes_" + kStamp + ".html"));
}

TEST_F(ExportRunTest, APathTooLongIsReportedNotShortened) {
  CheckOnly({RecordCategory::kCameraRoll});
  std::string deep = root_;
  while (deep.size() < 4200) {
    deep += "/" + std::string(200, 'd');
  }
  root_ = deep;
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  ASSERT_FALSE(recorder.finished.empty());
  for (const FinishedFile& file : recorder.finished) {
    EXPECT_EQ(file.status, "File name too long") << file.path;
  }
  EXPECT_EQ(recorder.runCounts.failed, recorder.runCounts.total);
  EXPECT_TRUE(fs::is_empty(out_.path()));
}

TEST_F(ExportRunTest, HostileNamesStayInsideTheRoot) {
  results_.contacts[0].name = "../../evil";
  results_.conversationRows[0].contactName = "../../evil";
  results_.conversationRows[1].contactName = "";
  results_.conversationRows[1].sender = "../../../sender";
  results_.chatRows[0].memberNames = "../../evil";
  results_.cameraRoll[0].name = "../../photo.jpg";
  auto node = results_.appPhotos.extract(results_.appPhotos.begin());
  node.key() = "a/../../b";
  results_.appPhotos.insert(std::move(node));
  FillSelection(results_, selection_);
  ExportRecorder recorder;
  ASSERT_EQ(RunExport(recorder), Result::Ok());
  EXPECT_EQ(recorder.runCounts.failed, 0);
  // Nothing beside the root in its parent; every file resolves inside the root.
  std::vector<std::string> beside;
  for (const auto& entry : fs::directory_iterator(out_.path())) {
    beside.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(beside, std::vector<std::string>{"export"});
  std::string realRoot = fs::canonical(root_).string() + "/";
  for (const std::string& file : FilesBelow(root_)) {
    EXPECT_EQ(fs::canonical(root_ + "/" + file).string().rfind(realRoot, 0), 0u) << file;
  }
  std::vector<std::string> files = FilesBelow(root_);
  EXPECT_TRUE(Has(files, "Camera Roll/_._.._photo.jpg"));
  EXPECT_TRUE(PathExists(root_ + "/App Photos/a_.._.._b"));
  EXPECT_TRUE(PathExists(root_ + "/Message/_._.._evil-" + kStamp));
  EXPECT_TRUE(
      Has(files, "Message/Unknown-" + std::string(kStamp) + "/Unknown(.._.._.._sender).html"));
}

TEST_F(ExportRunTest, CancelDuringACopyLeavesNoPartialFile) {
  CheckOnly({RecordCategory::kCameraRoll, RecordCategory::kPhotoStream});
  WriteFile(out_ / "big.jpg", std::string(300000, 'b'));
  results_.cameraRoll[1].path = out_ / "big.jpg";
  const std::string big = root_ + "/Camera Roll/" + results_.cameraRoll[1].name;
  ExportRun* running = nullptr;
  ExportRecorder recorder;
  recorder.onProgress = [&](int32_t percent, const std::string& path) {
    if (path == big && percent < 100) {
      running->RequestCancel();
    }
  };
  ExportRun run(Inputs(), &recorder);
  running = &run;
  EXPECT_EQ(run.Run(), Result::Stopped());
  EXPECT_TRUE(run.cancelled());
  EXPECT_FALSE(PathExists(big));
  EXPECT_EQ(FilesBelow(root_),
            std::vector<std::string>{"Camera Roll/" + results_.cameraRoll[0].name});
  EXPECT_EQ(recorder.FinishedPaths(),
            std::vector<std::string>{root_ + "/Camera Roll/" + results_.cameraRoll[0].name});
  EXPECT_EQ(recorder.runResult, 2);
  EXPECT_EQ(recorder.runCounts.done, 1);
}

TEST_F(ExportRunTest, CancelDuringAThreadDeletesItsPageAndRunsTheEndStep) {
  CheckOnly({RecordCategory::kMessages, RecordCategory::kContacts});
  // A thread after the first with several messages, so its page reports before it is finished.
  size_t index = 1;
  while (index + 1 < results_.conversationRows.size() &&
         results_.messages.at(results_.conversationRows[index].handleId).size() <= 2) {
    ++index;
  }
  ASSERT_LT(index + 1, results_.conversationRows.size());
  const MessageRecord& row = results_.conversationRows[index];
  const std::string folder = root_ + "/Message/" + row.contactName + "-" + kStamp + "/";
  const std::string base = folder + row.contactName + "(" + row.sender + ")";
  ExportRun* running = nullptr;
  ExportRecorder recorder;
  recorder.onProgress = [&](int32_t percent, const std::string& path) {
    if (path == base + ".html" && percent < 100) {
      running->RequestCancel();
    }
  };
  ExportRun run(Inputs(), &recorder);
  running = &run;
  EXPECT_EQ(run.Run(), Result::Stopped());
  EXPECT_FALSE(PathExists(base + ".html"));
  // The transcript was complete before the page began.
  EXPECT_TRUE(PathExists(base + ".txt"));
  EXPECT_EQ(recorder.runCounts.done, static_cast<int32_t>(index));
  // Nothing after the cancel: no next thread, no contacts; the messages database is copied.
  EXPECT_FALSE(PathExists(root_ + "/Message/" + results_.conversationRows[index + 1].contactName +
                          "-" + kStamp));
  EXPECT_FALSE(PathExists(root_ + "/Contacts"));
  EXPECT_TRUE(PathExists(root_ + "/Message/sms.sqlite"));
}

TEST_F(ExportRunTest, AMissingTemplateStopsTheRunBeforeItStarts) {
  TempFolder program;
  for (const char* name : {"CallHistory.html", "Notes.html", "contacts.html", "WhatsApp.html"}) {
    WriteFile(program / (std::string("template/") + name), "{|content|}");
  }
  ExportInputs inputs = Inputs();
  inputs.programFolder = program.path() + "/";
  ExportRecorder recorder;
  ExportRun run(inputs, &recorder);
  EXPECT_EQ(run.Run(), Result(kTemplateUnreadable));
  EXPECT_EQ(run.templateFailure().path, program.path() + "/template/Sms.html");
  EXPECT_EQ(run.templateFailure().errorCode, ENOENT);
  EXPECT_FALSE(PathExists(root_));
  EXPECT_EQ(recorder.runFinishedCalls, 0);
}

TEST_F(ExportRunTest, RefusesADestinationInsideTheBackup) {
  root_ = sample_->backup + "/export";
  ExportRecorder recorder;
  ExportRun run(Inputs(), &recorder);
  EXPECT_EQ(run.Start(), Result(kDestinationInBackup));
  EXPECT_EQ(run.Wait(), Result(kDestinationInBackup));
  EXPECT_EQ(test::SnapshotFolder(sample_->backup), sample_->before);
}

TEST_F(ExportRunTest, RunsOnAWorkerThreadAndReportsFromIt) {
  CheckOnly({RecordCategory::kCameraRoll, RecordCategory::kWhatsApp});
  ExportRecorder recorder;
  ExportRun run(Inputs(), &recorder);
  EXPECT_TRUE(run.finished());
  ASSERT_EQ(run.Start(), Result::Ok());
  EXPECT_EQ(run.runStamp(), kStamp);
  // The selection may change once the run has started.
  selection_.SetCategoryChecked(RecordCategory::kCameraRoll, false);
  EXPECT_EQ(run.Wait(), Result::Ok());
  EXPECT_TRUE(run.finished());
  int32_t total = static_cast<int32_t>(results_.cameraRoll.size() + results_.chatRows.size());
  EXPECT_EQ(run.counts(), (ExportCounts{total, total, total, 0}));
  std::set<std::thread::id> threads(recorder.threads.begin(), recorder.threads.end());
  ASSERT_EQ(threads.size(), 1u);
  EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

}  // namespace
}  // namespace zbe
