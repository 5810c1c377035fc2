// The rows of the export window's file list ("DetailList"): one per finished output file, the
// file in the first column and its status in the second. Successful files follow each other at
// the end of the list in the order they were finished; a failed file goes to the top, in red,
// so that failures are the first thing the list shows.
#pragma once

#include <string>
#include <vector>

#include "export/ExportObserver.h"
#include "ui/UIDefs.h"

namespace zbe {

class CListUI;

// The text colour of a failed file's row.
inline constexpr UIColor kFailedRowColor = 0xFFDC2626;

// "path" as the list shows it: relative to "root" (the destination, shown once above the list)
// when it lies below it, else as it is.
std::string DetailPath(const std::string& path, const std::string& root);

// Adds a row for each of "files" (in report order) to "list": successes appended at the end,
// failures inserted at the top, the newest failure first. Each group is added in one step, so a
// batch costs one insertion however long the list has grown.
void AddDetailRows(CListUI& list, const std::vector<FinishedFile>& files, const std::string& root);

}  // namespace zbe
