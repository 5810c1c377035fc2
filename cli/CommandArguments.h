#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backup/CategorySet.h"
#include "cli/Arguments.h"

namespace zbe::cli {

// What the commands share around their arguments: the usage text with --help and usage errors,
// the one backup FOLDER most of them name, and the "--only LIST" option.

// A command's name and usage text; both must outlive the object (string literals in practice).
struct CommandUsage {
  const char* command;  // the word after "zbe": "scan", "export", ...
  const char* text;     // printed by --help, and after every usage error

  // Prints "zbe COMMAND: message", then the usage text, on standard error. Returns kExitUsage.
  int Error(const std::string& message) const;
};

// Parses the arguments of a command that names exactly one backup FOLDER (then
// parsed.positional.front()). Returns nothing when the command goes on with "parsed"; otherwise
// the status the command exits with: kExitOk after "--help" printed the usage text on standard
// output, or kExitUsage after usage.Error reported an option ParseArguments refused, a missing
// FOLDER or an unexpected second argument.
std::optional<int> ParseFolderArguments(const CommandUsage& usage,
                                        const std::vector<std::string>& arguments,
                                        const std::vector<OptionSpec>& specs,
                                        ParsedArguments& parsed);

// Applies "--only LIST" when it was given: "chosen" becomes the categories listed. Returns ""
// (also when the option is absent; "chosen" is unchanged then), or the usage error to report,
// "--only: " + what ParseCategoryList found wrong ("chosen" unchanged).
std::string ApplyOnlyOption(const ParsedArguments& parsed, CategorySet& chosen);

}  // namespace zbe::cli
