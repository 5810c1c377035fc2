#include "cli/ScanCommand.h"

#include <cstdio>

#include "cli/Arguments.h"
#include "cli/BackupScan.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/ScanCategories.h"
#include "cli/ScanJson.h"
#include "cli/SummaryOutput.h"
#include "records/CategoryTable.h"

namespace zbe::cli {
namespace {

constexpr CommandUsage kUsage = {
    "scan",
    "usage: zbe scan FOLDER [--only LIST] [--json] [--password-stdin]\n"
    "\n"
    "Reads the data of the backup in FOLDER and prints, per category,\n"
    "  name, count and result (tab-separated; result \"-\" when nothing was read).\n"
    "  --only LIST        comma-separated categories (default: all): camera-roll,\n"
    "                     photo-stream, app-photos, app-videos, messages,\n"
    "                     message-attachments, contacts, call-history, notes, whatsapp,\n"
    "                     whatsapp-attachments, reminder, calendar, safari-bookmark\n"
    "  --json             print one JSON object with the summary, the open result and\n"
    "                     every category's records\n"
    "  --password-stdin   read the password of an encrypted backup as one line from\n"
    "                     standard input\n"};

void PrintCounts(const ScanResults& results, const CategorySet& chosen) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (!chosen.Has(info.category)) {
      continue;
    }
    const auto& result = results.categoryResults[static_cast<size_t>(info.category)];
    std::string resultText = result ? std::to_string(*result) : "-";
    std::printf("%s\t%zu\t%s\n", std::string(CategoryCliName(info.category)).c_str(),
                CategoryCount(results, info.category), resultText.c_str());
  }
}

}  // namespace

int RunScan(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  if (std::optional<int> status = ParseFolderArguments(
          kUsage, arguments, {{"--only", true}, {"--json", false}, {"--password-stdin", false}},
          parsed)) {
    return *status;
  }
  CategorySet chosen = CategorySet::All();
  if (std::string onlyError = ApplyOnlyOption(parsed, chosen); !onlyError.empty()) {
    return kUsage.Error(onlyError);
  }

  BackupScan scan("scan");
  if (int status = scan.Run(parsed.positional.front(), chosen, parsed.has("--password-stdin"));
      status != kExitOk) {
    return status;
  }
  const ScanResults& results = scan.results();
  if (parsed.has("--json")) {
    PrintScanJson(scan.summary(), results.openResult, results, chosen, stdout);
  } else {
    PrintCounts(results, chosen);
  }
  return kExitOk;
}

}  // namespace zbe::cli
