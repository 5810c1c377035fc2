#include "cli/PrintCommand.h"

#include <cstdio>

#include "cli/Arguments.h"
#include "cli/BackupScan.h"
#include "cli/CancelOnInterrupt.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/ScanCategories.h"
#include "export/ExportDestination.h"
#include "export/ExportStatusText.h"
#include "export/PrintPage.h"
#include "export/SelectionFill.h"
#include "platform/AppFolders.h"
#include "platform/ResolvedPath.h"
#include "records/ResultCodes.h"

namespace zbe::cli {
namespace {

constexpr CommandUsage kUsage = {
    "print",
    "usage: zbe print FOLDER --category NAME --out FILE [--only LIST] [--password-stdin]\n"
    "\n"
    "Writes the print page (HTML) of every record of one category of the backup in FOLDER\n"
    "to FILE.\n"
    "  --category NAME    messages, contacts, call-history, notes or whatsapp (other\n"
    "                     categories give a page without records)\n"
    "  --out FILE         the page to write (replaced when it exists)\n"
    "  --only LIST        comma-separated categories to scan (default: NAME)\n"
    "  --password-stdin   read the password of an encrypted backup as one line from\n"
    "                     standard input\n"};

void CancelPrint(void* run) noexcept {
  static_cast<PrintPageRun*>(run)->RequestCancel();
}

}  // namespace

int RunPrint(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  if (std::optional<int> status = ParseFolderArguments(
          kUsage, arguments,
          {{"--category", true}, {"--out", true}, {"--only", true}, {"--password-stdin", false}},
          parsed)) {
    return *status;
  }
  std::string name = parsed.value("--category");
  std::optional<RecordCategory> category = CategoryFromCliName(name);
  if (!category) {
    return kUsage.Error(name.empty() ? std::string("missing --category NAME")
                                     : "--category: unknown category \"" + name + "\"");
  }
  std::string out = parsed.value("--out");
  if (out.empty()) {
    return kUsage.Error("missing --out FILE");
  }
  CategorySet chosen;
  chosen.Add(*category);
  if (std::string onlyError = ApplyOnlyOption(parsed, chosen); !onlyError.empty()) {
    return kUsage.Error(onlyError);
  }
  const std::string& folder = parsed.positional.front();
  BackupScan scan("print");
  if (int status = scan.Open(folder, parsed.has("--password-stdin")); status != kExitOk) {
    return status;
  }
  if (PathWithin(out, folder)) {
    return kUsage.Error(out + " lies inside the backup folder " + folder +
                        "; backups are only ever read, so choose a file outside it");
  }

  if (int status = scan.Scan(chosen); status != kExitOk) {
    return status;
  }
  CStatisticsObj selection;
  FillSelection(scan.results(), selection);
  PrintInputs inputs;
  inputs.results = &scan.results();
  inputs.selection = &selection;
  inputs.category = category;
  inputs.programFolder = ProgramFolder();
  inputs.pagePath = out;
  PrintPageRun run(std::move(inputs));
  Result result;
  {
    CancelOnInterrupt interrupt(&CancelPrint, &run);
    result = run.Run();
  }
  if (run.templateResult() != kResultOk) {
    std::fprintf(stderr,
                 "zbe print: cannot read the print template beside zbe (%s); the page holds the "
                 "records alone\n",
                 ExportStatusText(run.templateResult()).c_str());
  }
  if (result.stopped()) {
    std::fprintf(stderr, "zbe print: cancelled; %s holds the records taken so far\n", out.c_str());
    return kExitStopped;
  }
  if (!result.ok()) {
    std::fprintf(stderr, "zbe print: cannot write %s: %s\n", out.c_str(), result.Text().c_str());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace zbe::cli
