#include "records/TextOrder.h"

#include <gtest/gtest.h>

#include <random>

#include "records/Records.h"

namespace zbe {
namespace {

// The order the readers had before: std::sort over the records themselves. Equal texts come
// out in an order that only the sort's steps decide, and scans must keep giving that order.
std::vector<CallRecord> SortedAsBefore(std::vector<CallRecord> calls, TextOrder order) {
  std::sort(calls.begin(), calls.end(), [order](const CallRecord& a, const CallRecord& b) {
    int sign = AsciiCaseCompare(a.date, b.date);
    return order == TextOrder::kAscending ? sign < 0 : sign > 0;
  });
  return calls;
}

TEST(SortByText, GivesExactlyTheOrderOfASortOverTheRecords) {
  std::mt19937 random(20261208);
  for (bool letters : {false, true}) {
    for (TextOrder order : {TextOrder::kAscending, TextOrder::kDescending}) {
      std::vector<CallRecord> calls;
      for (int i = 0; i < 3000; ++i) {
        CallRecord call;
        call.duration = i;  // tells records with equal dates apart
        // Few distinct texts: long runs of equal keys, where an unstable sort shows its steps.
        call.date = "2020-01-0" + std::to_string(random() % 4);
        if (letters) {
          call.date += random() % 2 ? "a" : "A";
        }
        calls.push_back(call);
      }
      std::vector<CallRecord> expected = SortedAsBefore(calls, order);
      SortByText(calls, &CallRecord::date, order);
      ASSERT_EQ(calls.size(), expected.size());
      for (size_t i = 0; i < calls.size(); ++i) {
        ASSERT_EQ(calls[i].duration, expected[i].duration) << "at " << i;
        ASSERT_EQ(calls[i].date, expected[i].date) << "at " << i;
      }
    }
  }
}

}  // namespace
}  // namespace zbe
