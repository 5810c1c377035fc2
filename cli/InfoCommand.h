#pragma once

#include <string>
#include <vector>

namespace zbe::cli {

// "zbe info FOLDER [--json]": the summary of the backup in FOLDER, one "field<TAB>value" line
// per field in field order, or a JSON object. Returns the exit status: 0, 1 for a usage error,
// or 3 (with a message on stderr) when FOLDER has no readable "Info.plist".
int RunInfo(const std::vector<std::string>& arguments);

}  // namespace zbe::cli
