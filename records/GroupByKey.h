#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
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
  std::unordered_map<int32_t, size_t> counts;
  for (const Record& record : records) {
    ++counts[record.*key];
  }
  // The lists by key, found once: a map's elements stay where they are.
  std::unordered_map<int32_t, std::vector<Record>*> lists;
  for (const auto& [id, count] : counts) {
    std::vector<Record>& group = groups[id];
    group.reserve(group.size() + count);
    lists.emplace(id, &group);
  }
  for (Record& record : records) {
    lists[record.*key]->push_back(std::move(record));
  }
}

}  // namespace zbe
