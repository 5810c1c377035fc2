#include "cli/ExportCommand.h"

#include <cstdio>
#include <cstring>

#include "cli/Arguments.h"
#include "cli/BackupScan.h"
#include "cli/CancelOnInterrupt.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/ExportProgressView.h"
#include "cli/ScanCategories.h"
#include "cli/SummaryOutput.h"
#include "export/ExportDestination.h"
#include "export/ExportRun.h"
#include "export/ExportStatusText.h"
#include "export/SelectionFill.h"
#include "platform/AppFolders.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe::cli {
namespace {

constexpr CommandUsage kUsage = {
    "export",
    "usage: zbe export FOLDER --out DIR [--only LIST] [--json] [--password-stdin]\n"
    "\n"
    "Exports everything of the backup in FOLDER into DIR (created when missing), as the\n"
    "program's export does: media copies, message threads and WhatsApp chats as text and\n"
    "HTML (and CSV), contacts, call history and notes as HTML pages, and copies of the\n"
    "messages and address book databases. Existing files in DIR are never replaced.\n"
    "  --out DIR          the destination folder (required; not inside the backup)\n"
    "  --only LIST        comma-separated categories (default: all); see zbe scan --help\n"
    "  --json             print a JSON report of every exported file instead of the\n"
    "                     closing line\n"
    "  --password-stdin   read the password of an encrypted backup as one line from\n"
    "                     standard input\n"
    "Ctrl-C cancels: the file being written is removed and the run ends cleanly.\n"
    "Exit status: 0 all files exported, 5 some failed, 2 cancelled.\n"};

void CancelRun(void* run) noexcept {
  static_cast<ExportRun*>(run)->RequestCancel();
}

nlohmann::ordered_json Report(const ExportRun& run, const Result& result,
                              const ExportProgressView& view) {
  ExportCounts counts = run.counts();
  nlohmann::ordered_json report;
  report["destination"] = run.root();
  report["runStamp"] = run.runStamp();
  report["cancelled"] = result.stopped();
  report["total"] = counts.total;
  report["done"] = counts.done;
  report["succeeded"] = counts.succeeded;
  report["failed"] = counts.failed;
  nlohmann::ordered_json files = nlohmann::ordered_json::array();
  for (const FinishedFile& file : view.files()) {
    files.push_back({{"path", file.path}, {"status", file.status}, {"errorCode", file.errorCode}});
  }
  report["files"] = std::move(files);
  return report;
}

}  // namespace

int RunExport(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  if (std::optional<int> status = ParseFolderArguments(
          kUsage, arguments,
          {{"--out", true}, {"--only", true}, {"--json", false}, {"--password-stdin", false}},
          parsed)) {
    return *status;
  }
  std::string out = parsed.value("--out");
  if (out.empty()) {
    return kUsage.Error("missing --out DIR");
  }
  CategorySet chosen = CategorySet::All();
  if (std::string onlyError = ApplyOnlyOption(parsed, chosen); !onlyError.empty()) {
    return kUsage.Error(onlyError);
  }
  const std::string& folder = parsed.positional.front();
  BackupScan scan("export");
  if (int status = scan.Open(folder, parsed.has("--password-stdin")); status != kExitOk) {
    return status;
  }
  if (ExportWouldTouchBackup(out, folder)) {
    return kUsage.Error(out + " lies inside the backup folder " + folder +
                        " (or would hold it); backups are only ever read, so choose a folder "
                        "outside it");
  }

  if (int status = scan.Scan(chosen); status != kExitOk) {
    return status;
  }
  CStatisticsObj selection;
  FillSelection(scan.results(), selection);
  ExportInputs inputs;
  inputs.results = &scan.results();
  inputs.selection = &selection;
  inputs.storedFiles = &scan.storedFiles();
  inputs.destinationRoot = out;
  inputs.programFolder = ProgramFolder();
  inputs.deviceName = scan.summary().displayName;
  inputs.backupFolder = folder;
  ExportProgressView view(stderr);
  ExportRun run(std::move(inputs), &view);
  // Templates first: a run that cannot start leaves no trace, not even DIR.
  if (!run.LoadTemplates().ok()) {
    std::fprintf(stderr, "zbe export: cannot read the template %s: %s; nothing was exported\n",
                 run.templateFailure().path.c_str(),
                 ExportStatusText(run.templateFailure().errorCode).c_str());
    return kExitFailure;
  }
  if (int32_t created = CreateFolders(out); created != 0) {
    std::fprintf(stderr, "zbe export: cannot create %s: %s\n", out.c_str(),
                 ExportStatusText(created).c_str());
    return kExitFailure;
  }
  Result result;
  {
    CancelOnInterrupt interrupt(&CancelRun, &run);
    result = run.Run();
  }
  view.Finish();
  if (result == kDestinationInBackup) {
    return kUsage.Error(out + " lies inside the backup folder; choose a folder outside it");
  }
  if (!result.ok() && !result.stopped()) {
    std::fprintf(stderr, "zbe export: the export could not start: %s\n", result.Text().c_str());
    return kExitFailure;
  }
  if (parsed.has("--json")) {
    PrintJson(Report(run, result, view), stdout);
  } else {
    std::printf("%s\n", ExportProgressView::SummaryLine(run.counts()).c_str());
  }
  if (result.stopped()) {
    std::fputs("zbe export: cancelled; the files listed before the cancel are in place\n", stderr);
    return kExitStopped;
  }
  return run.counts().failed > 0 ? kExitSomeFailed : kExitOk;
}

}  // namespace zbe::cli
