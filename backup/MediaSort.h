#pragma once

#include <algorithm>
#include <vector>

#include "platform/AsciiCase.h"

namespace zbe {

// Sorts file items by name, ASCII case ignored; items of equal names keep their manifest order.
template <typename Item>
void SortByName(std::vector<Item>& items) {
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return AsciiCaseCompare(a.name, b.name) < 0;
  });
}

}  // namespace zbe
