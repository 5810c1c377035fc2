#include "cli/CommandArguments.h"

#include <cstdio>

#include "cli/ExitStatus.h"
#include "cli/ScanCategories.h"

namespace zbe::cli {

int CommandUsage::Error(const std::string& message) const {
  std::fprintf(stderr, "zbe %s: %s\n%s", command, message.c_str(), text);
  return kExitUsage;
}

std::optional<int> ParseFolderArguments(const CommandUsage& usage,
                                        const std::vector<std::string>& arguments,
                                        const std::vector<OptionSpec>& specs,
                                        ParsedArguments& parsed) {
  std::string error = ParseArguments(arguments, specs, parsed);
  if (parsed.help && error.empty()) {
    std::fputs(usage.text, stdout);
    return kExitOk;
  }
  if (error.empty() && parsed.positional.empty()) {
    error = "missing FOLDER";
  }
  if (error.empty() && parsed.positional.size() > 1) {
    error = "unexpected argument " + parsed.positional[1];
  }
  if (!error.empty()) {
    return usage.Error(error);
  }
  return std::nullopt;
}

std::string ApplyOnlyOption(const ParsedArguments& parsed, CategorySet& chosen) {
  if (parsed.values.count("--only") == 0) {
    return {};
  }
  std::string error = ParseCategoryList(parsed.value("--only"), chosen);
  return error.empty() ? error : "--only: " + error;
}

}  // namespace zbe::cli
