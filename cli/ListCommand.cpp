#include "cli/ListCommand.h"

#include <cstdio>
#include <cstring>

#include "backup/BackupDiscovery.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/SummaryOutput.h"
#include "platform/AppFolders.h"
#include "platform/FileSystem.h"

namespace zbe::cli {
namespace {

constexpr CommandUsage kUsage = {
    "list",
    "usage: zbe list [--root DIR] [--json]\n"
    "\n"
    "Lists the backups in the MobileSync backup folder, newest first:\n"
    "  lastBackupDate, displayName, serialNumber, encrypted|plain, folder (tab-separated).\n"
    "  --root DIR   list the backups in DIR instead of\n"
    "               $XDG_DATA_HOME/Apple Computer/MobileSync/backup/\n"
    "  --json       print a JSON array of summaries\n"};

}  // namespace

int RunList(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  std::string error = ParseArguments(arguments, {{"--root", true}, {"--json", false}}, parsed);
  if (parsed.help && error.empty()) {
    std::fputs(kUsage.text, stdout);
    return kExitOk;
  }
  if (error.empty() && !parsed.positional.empty()) {
    error = "unexpected argument " + parsed.positional.front();
  }
  if (error.empty() && parsed.values.count("--root") != 0 && parsed.value("--root").empty()) {
    error = "option --root needs a folder";
  }
  if (!error.empty()) {
    return kUsage.Error(error);
  }

  // Listing reads the backup folders and nothing else: unlike the application it creates no work
  // folder and removes no temporary files of a running instance.
  bool rootGiven = parsed.values.count("--root") != 0;
  std::string root = parsed.value("--root");
  if (!rootGiven) {
    std::string appData;
    if (int32_t result = AppDataFolder(appData); result != 0) {
      std::fprintf(stderr, "zbe list: no application-data folder: %s\n", std::strerror(result));
      return kExitNoBackup;
    }
    root = MobileSyncRoot(appData);
  }
  std::vector<std::string> folders;
  if (!ListFolder(root, folders)) {
    std::vector<FolderEntry> ignored;
    int32_t listError = ListFolderEntries(root, ignored);
    if (rootGiven) {
      std::fprintf(stderr, "zbe list: cannot list %s: %s\n", root.c_str(),
                   std::strerror(listError));
      return kExitNoBackup;
    }
  }
  std::vector<BackupSummary> summaries;
  ReadSummariesOf(folders, summaries);

  if (parsed.has("--json")) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const BackupSummary& summary : summaries) {
      list.push_back(SummaryToJson(summary));
    }
    PrintJson(list, stdout);
  } else {
    for (const BackupSummary& summary : summaries) {
      std::printf("%s\t%s\t%s\t%s\t%s\n", OneLine(summary.lastBackupDate).c_str(),
                  OneLine(summary.displayName).c_str(), OneLine(summary.serialNumber).c_str(),
                  summary.encrypted ? "encrypted" : "plain", OneLine(summary.folderPath).c_str());
    }
  }
  if (summaries.empty()) {
    std::fprintf(stderr, "zbe list: no backups in %s\n", root.c_str());
  }
  return kExitOk;
}

}  // namespace zbe::cli
