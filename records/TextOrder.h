#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <vector>

#include "platform/AsciiCase.h"

namespace zbe {

enum class TextOrder { kAscending, kDescending };

// Orders "records" by the text "field" (e.g. &MessageRecord::date) as AsciiCaseCompare orders
// texts, with exactly the result of std::sort over the records with that comparison: equal texts
// keep the same (unspecified, but repeatable) order, so a scan's results stay what they were.
// The sort makes the same comparisons on a list of positions, so each record is moved about once,
// not at every step of the sort; texts without upper-case ASCII letters (dates, always) are
// compared as plain bytes, which is the same order.
template <typename Record>
void SortByText(std::vector<Record>& records, std::string Record::*field, TextOrder order) {
  if (records.size() < 2) {
    return;
  }
  const bool folds = std::any_of(records.begin(), records.end(), [field](const Record& record) {
    const std::string& text = record.*field;
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  });
  auto compare = [&](size_t a, size_t b) {
    const std::string& left = records[a].*field;
    const std::string& right = records[b].*field;
    int sign = folds ? AsciiCaseCompare(left, right) : left.compare(right);
    return order == TextOrder::kAscending ? sign < 0 : sign > 0;
  };
  std::vector<size_t> positions(records.size());
  std::iota(positions.begin(), positions.end(), size_t{0});
  std::sort(positions.begin(), positions.end(), compare);
  // Position i takes the record now at positions[i]: applied in place, cycle by cycle, so that
  // no second list of records is made (memory the size of the results, touched page by page).
  for (size_t start = 0; start < records.size(); ++start) {
    if (positions[start] == start) {
      continue;
    }
    Record held = std::move(records[start]);
    size_t at = start;
    for (;;) {
      size_t from = positions[at];
      positions[at] = at;
      if (from == start) {
        records[at] = std::move(held);
        break;
      }
      records[at] = std::move(records[from]);
      at = from;
    }
  }
}

}  // namespace zbe
