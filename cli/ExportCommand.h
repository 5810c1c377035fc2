#pragma once

#include <string>
#include <vector>

namespace zbe::cli {

// "zbe export FOLDER --out DIR [--only LIST] [--json] [--password-stdin]": scans the backup in
// FOLDER as zbe scan does (the categories of LIST, all by default), checks everything it found
// and exports it into DIR (created when missing) exactly as the export window does: same layout,
// names, formats and run stamp. Each file that fails gets a line on stderr; a terminal also gets
// a running status line. At the end stdout gets "Exported N of T: S succeeded, F failed", or
// with --json one object with the run's counts and every finished file with its status.
// Ctrl-C cancels as the window's Cancel button does.
// Returns the exit status: 0 when no file failed, 5 when some did (or when the export could not
// start: no work folder, DIR not creatable, a template missing beside zbe), 2 when cancelled,
// 1 for a usage error (also when DIR lies inside the backup), 3 when FOLDER is not a backup,
// 4 for password errors (see zbe scan). Only reads the backup.
int RunExport(const std::vector<std::string>& arguments);

}  // namespace zbe::cli
