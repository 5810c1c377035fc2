#pragma once

#include <bitset>
#include <cstddef>

#include "records/RecordCategory.h"

namespace zbe {

// A choice of data categories, as the file type page makes it. A copyable value.
class CategorySet {
 public:
  CategorySet() = default;

  // Every one of the fourteen categories.
  static CategorySet All() {
    CategorySet all;
    all.bits_.set();
    return all;
  }

  CategorySet& Add(RecordCategory category) {
    bits_.set(Index(category));
    return *this;
  }
  bool Has(RecordCategory category) const { return bits_.test(Index(category)); }
  bool empty() const { return bits_.none(); }

 private:
  static size_t Index(RecordCategory category) { return static_cast<size_t>(category); }

  std::bitset<kRecordCategoryCount> bits_;
};

}  // namespace zbe
