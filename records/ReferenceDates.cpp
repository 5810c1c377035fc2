#include "records/ReferenceDates.h"

#include "records/Conversions.h"

namespace zbe {

std::string LocalDateFromReferenceSeconds(const char* value) {
  if (value == nullptr) {
    return std::string();
  }
  return LocalDateText(static_cast<int64_t>(IntFromColumn(value)) + kReferenceDateOffset);
}

}  // namespace zbe
