#include "cli/ScanCommand.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>

#include "backup/BackupDiscovery.h"
#include "backup/CBackupParser.h"
#include "backup/ResultCodes.h"
#include "backup/ScanSession.h"
#include "backup/TempFolder.h"
#include "cli/Arguments.h"
#include "cli/ExitStatus.h"
#include "cli/PrivateWorkFolder.h"
#include "cli/ProgressBar.h"
#include "cli/ScanCategories.h"
#include "cli/ScanJson.h"
#include "cli/SummaryOutput.h"
#include "platform/FileSystem.h"

namespace zbe::cli {
namespace {

constexpr const char* kUsage =
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
    "                     standard input\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "zbe scan: %s\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

// Reads one line of standard input (without its line end). False when there is none.
bool ReadPasswordLine(std::string& password) {
  if (!std::getline(std::cin, password)) {
    return false;
  }
  if (!password.empty() && password.back() == '\r') {
    password.pop_back();
  }
  return true;
}

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
  std::string error = ParseArguments(
      arguments, {{"--only", true}, {"--json", false}, {"--password-stdin", false}}, parsed);
  if (parsed.help && error.empty()) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (!error.empty()) {
    return UsageError(error);
  }
  if (parsed.positional.empty()) {
    return UsageError("missing FOLDER");
  }
  if (parsed.positional.size() > 1) {
    return UsageError("unexpected argument " + parsed.positional[1]);
  }
  CategorySet chosen = CategorySet::All();
  if (parsed.values.count("--only") != 0) {
    if (std::string listError = ParseCategoryList(parsed.value("--only"), chosen);
        !listError.empty()) {
      return UsageError("--only: " + listError);
    }
  }

  const std::string& folder = parsed.positional.front();
  BackupSummary summary;
  if (ReadSummaryOfFolder(folder, summary) != kResultOk) {
    std::fprintf(stderr,
                 IsFolder(folder) ? "zbe scan: %s has no readable Info.plist; it is not a backup "
                                    "folder\n"
                                  : "zbe scan: %s is not a folder\n",
                 folder.c_str());
    return kExitNoBackup;
  }
  std::string password;
  if (parsed.has("--password-stdin")) {
    if (!ReadPasswordLine(password)) {
      std::fputs("zbe scan: --password-stdin: no password line on standard input\n", stderr);
      return kExitPassword;
    }
  } else if (summary.encrypted) {
    std::fprintf(stderr,
                 "zbe scan: %s is an encrypted backup; give its password as one line on "
                 "standard input with --password-stdin\n",
                 folder.c_str());
    return kExitPassword;
  }

  PrivateWorkFolder work;
  if (work.path().empty()) {
    std::fprintf(stderr, "zbe scan: cannot create a work folder: %s\n",
                 std::strerror(work.error()));
    return kExitFailure;
  }
  // Decrypted copies go to a folder of this run's own on the temporary folder's volume, which
  // was chosen for its room; a plain backup needs none.
  std::optional<PrivateWorkFolder> decrypted;
  if (summary.encrypted || parsed.has("--password-stdin")) {
    decrypted.emplace(GetTempFolder());
    if (decrypted->path().empty()) {
      std::fprintf(stderr, "zbe scan: cannot create a folder for the decrypted copies in %s: %s\n",
                   GetTempFolder().c_str(), std::strerror(decrypted->error()));
      return kExitFailure;
    }
  }
  CBackupParser parser(work.path(), decrypted ? decrypted->path() : std::string());
  ProgressBar bar(stderr);
  ScanSession session(parser, &bar);
  int32_t result = session.Run(summary, password, chosen);
  bar.Finish();
  if (result == kResultWrongPassword) {
    std::fputs("Wrong password\n", stderr);
    return kExitPassword;
  }
  const ScanResults& results = session.results();
  if (results.openResult != kResultOk) {
    std::fprintf(stderr,
                 "zbe scan: the backup could not be opened completely (result %d); categories "
                 "that need its manifest may find nothing\n",
                 results.openResult);
  }
  if (parsed.has("--json")) {
    nlohmann::ordered_json object;
    object["summary"] = SummaryToJson(summary);
    object["open"] = results.openResult;
    object["categories"] = ScanCategoriesToJson(results, chosen);
    PrintJson(object, stdout);
  } else {
    PrintCounts(results, chosen);
  }
  return kExitOk;
}

}  // namespace zbe::cli
