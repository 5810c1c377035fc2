#include "export/windows/DetailRows.h"

#include <iterator>
#include <memory>

#include "ui/ListElementUI.h"
#include "ui/ListUI.h"

namespace zbe {
namespace {

constexpr uint32_t kCellStyle = UIText::kVCenter | UIText::kSingleLine | UIText::kEndEllipsis;

std::unique_ptr<CControlUI> MakeRow(const FinishedFile& file, const std::string& root) {
  auto row = std::make_unique<CListImageTextElementUI>();
  row->SetText(0, DetailPath(file.path, root));
  row->SetText(1, file.status);
  row->SetTextStyle(0, kCellStyle);
  row->SetTextStyle(1, kCellStyle | UIText::kCenter);
  if (file.errorCode != 0)
    row->SetTextColor(kFailedRowColor);
  return row;
}

}  // namespace

std::string DetailPath(const std::string& path, const std::string& root) {
  if (root.empty() || path.size() <= root.size() + 1 || path.compare(0, root.size(), root) != 0)
    return path;
  if (root.back() == '/')
    return path.substr(root.size());
  return path[root.size()] == '/' ? path.substr(root.size() + 1) : path;
}

void AddDetailRows(CListUI& list, const std::vector<FinishedFile>& files, const std::string& root) {
  std::vector<std::unique_ptr<CControlUI>> succeeded;
  std::vector<std::unique_ptr<CControlUI>> failed;
  for (const FinishedFile& file : files) {
    if (file.errorCode == 0)
      succeeded.push_back(MakeRow(file, root));
    else
      failed.push_back(MakeRow(file, root));
  }
  if (!failed.empty()) {
    // Each failure goes on top of the ones before it.
    std::vector<std::unique_ptr<CControlUI>> newestFirst(std::make_move_iterator(failed.rbegin()),
                                                         std::make_move_iterator(failed.rend()));
    list.AddRangeAt(std::move(newestFirst), 0);
  }
  if (!succeeded.empty())
    list.AddRangeAt(std::move(succeeded), list.GetCount());
}

}  // namespace zbe
