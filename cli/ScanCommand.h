#pragma once

#include <string>
#include <vector>

namespace zbe::cli {

// "zbe scan FOLDER [--only LIST] [--json] [--password-stdin]": opens the backup in FOLDER and
// reads the chosen categories (all by default; LIST is comma-separated command-line names, see
// cli/ScanCategories.h) the way the application's scan does. Prints one
// "name<TAB>count<TAB>result" line per chosen category in category order (result "-" when no
// operation filled it), or with --json one object with "summary", "open" and "categories" (see
// cli/ScanJson.h). A progress bar goes to stderr when stderr is a terminal. --password-stdin
// reads the password of an encrypted backup as one line from standard input.
// Returns the exit status: 0 (also when single categories fail: their result says so), 1 for a
// usage error, 3 when FOLDER has no readable "Info.plist", 4 for an encrypted backup without
// --password-stdin or with a wrong password ("Wrong password" on stderr), 5 when zbe's work
// folder cannot be created. Only reads the backup.
int RunScan(const std::vector<std::string>& arguments);

}  // namespace zbe::cli
