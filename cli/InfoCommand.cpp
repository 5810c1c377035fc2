#include "cli/InfoCommand.h"

#include <cstdio>

#include "backup/BackupDiscovery.h"
#include "cli/CommandArguments.h"
#include "cli/ExitStatus.h"
#include "cli/SummaryOutput.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe::cli {
namespace {

constexpr CommandUsage kUsage = {
    "info",
    "usage: zbe info FOLDER [--json]\n"
    "\n"
    "Prints the summary of the backup in FOLDER (read from its Info.plist).\n"
    "  --json   print a JSON object\n"};

}  // namespace

int RunInfo(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  if (std::optional<int> status =
          ParseFolderArguments(kUsage, arguments, {{"--json", false}}, parsed)) {
    return *status;
  }

  const std::string& folder = parsed.positional.front();
  BackupSummary summary;
  if (!ReadSummaryOfFolder(folder, summary).ok()) {
    if (!IsFolder(folder)) {
      std::fprintf(stderr, "zbe info: %s is not a folder\n", folder.c_str());
    } else {
      std::fprintf(stderr, "zbe info: %s has no readable Info.plist; it is not a backup folder\n",
                   folder.c_str());
    }
    return kExitNoBackup;
  }
  if (parsed.has("--json")) {
    PrintJson(SummaryToJson(summary), stdout);
    return kExitOk;
  }
  auto flag = [](bool value) { return value ? "true" : "false"; };
  std::printf("encrypted\t%s\n", flag(summary.encrypted));
  std::printf("modernVersion\t%s\n", flag(summary.modernVersion));
  std::printf("lastBackupDate\t%s\n", OneLine(summary.lastBackupDate).c_str());
  std::printf("phoneNumber\t%s\n", OneLine(summary.phoneNumber).c_str());
  std::printf("serialNumber\t%s\n", OneLine(summary.serialNumber).c_str());
  std::printf("folderPath\t%s\n", OneLine(summary.folderPath).c_str());
  std::printf("displayName\t%s\n", OneLine(summary.displayName).c_str());
  return kExitOk;
}

}  // namespace zbe::cli
