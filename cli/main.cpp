// zbe: the command-line front end over the core, for scripts and machines without a display.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "cli/ExportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/ListCommand.h"
#include "cli/PrintCommand.h"
#include "cli/ScanCommand.h"
#include "platform/ProductVersion.h"

namespace {

constexpr const char* kUsage =
    "usage: zbe COMMAND [OPTIONS]\n"
    "\n"
    "Reads the backups a computer keeps of an iPhone. Backups are only ever read.\n"
    "\n"
    "commands:\n"
    "  list [--root DIR] [--json]   the backups found, newest first\n"
    "  info FOLDER [--json]         the summary of one backup folder\n"
    "  scan FOLDER [--only LIST] [--json] [--password-stdin]\n"
    "                               the data of one backup, per category\n"
    "  export FOLDER --out DIR [--only LIST] [--json] [--password-stdin]\n"
    "                               export everything of one backup into DIR\n"
    "  print FOLDER --category NAME --out FILE [--only LIST] [--password-stdin]\n"
    "                               the print page of one category\n"
    "\n"
    "\"zbe COMMAND --help\" describes a command; \"zbe --version\" prints the version.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return zbe::cli::kExitUsage;
  }
  std::string command = argv[1];
  std::vector<std::string> arguments(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return zbe::cli::kExitOk;
  }
  if (command == "--version") {
    std::printf("zbe %s\n", zbe::kProductVersion);
    return zbe::cli::kExitOk;
  }
  if (command == "list") {
    return zbe::cli::RunList(arguments);
  }
  if (command == "info") {
    return zbe::cli::RunInfo(arguments);
  }
  if (command == "scan") {
    return zbe::cli::RunScan(arguments);
  }
  if (command == "export") {
    return zbe::cli::RunExport(arguments);
  }
  if (command == "print") {
    return zbe::cli::RunPrint(arguments);
  }
  std::fprintf(stderr, "zbe: unknown command \"%s\"\n%s", command.c_str(), kUsage);
  return zbe::cli::kExitUsage;
}
