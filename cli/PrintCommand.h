#pragma once

#include <string>
#include <vector>

namespace zbe::cli {

// "zbe print FOLDER --category NAME --out FILE [--only LIST] [--password-stdin]": scans the
// backup in FOLDER (the categories of LIST; by default just NAME's), checks all of NAME's
// records and writes the print page of them to FILE (its folder created when missing; an
// existing FILE is replaced), as the print window builds it: the print template's head, one
// block per record, the tail. NAME is a command-line category name (see zbe scan); the pages
// of messages, contacts, call-history, notes and whatsapp hold records, every other category
// gives an empty body. A print template missing beside zbe gives the body alone, after a
// warning. Ctrl-C cancels; the page is still written with the blocks built so far.
// Returns the exit status: 0, 2 when cancelled, 5 when FILE cannot be written, 1 for a usage
// error (also when FILE lies inside the backup), 3 when FOLDER is not a backup, 4 for password
// errors. Only reads the backup.
int RunPrint(const std::vector<std::string>& arguments);

}  // namespace zbe::cli
