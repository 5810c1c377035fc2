#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zbe {

// Moves each of "records", in order, to the end of the list of "groups" under its "key" field
// (e.g. &MessageRecord::handleId); "records" is left with moved-from values. Each list is sized
// once for what it receives, so a thread of thousands of messages is not copied along as it
// grows.
template <typename Record>
void GroupByKey(std::vector<Record>& records, int32_t Record::*key,
                std::map<int32_t, std::vector<Record>>& groups) {
  std::map<int32_t, size_t> counts;
  for (const Record& record : records) {
    ++counts[record.*key];
  }
  for (const auto& [id, count] : counts) {
    std::vector<Record>& group = groups[id];
    group.reserve(group.size() + count);
  }
  for (Record& record : records) {
    groups[record.*key].push_back(std::move(record));
  }
}

}  // namespace zbe
