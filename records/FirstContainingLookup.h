#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zbe {

// Answers "which is the first of these texts that contains this one?" (a case-sensitive byte
// substring test, first in list order), the question behind every name lookup of the readers:
// the first contact whose phone text contains a message's sender or a call's address, the first
// WhatsApp group member whose JID contains a push name.
//
// The answer is always the one that a walk through the texts in order would give, but it does
// not cost a walk per question: answers are remembered per searched text (a backup asks about
// the same sender thousands of times), and the texts are indexed by their four-byte pieces, so
// that only texts holding every piece of the searched text are tested. Searched texts shorter
// than four bytes are answered by the walk. Not copyable (it refers to the texts).
class FirstContainingLookup {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Indexes "texts", which must outlive the lookup and stay unchanged.
  explicit FirstContainingLookup(std::vector<std::string_view> texts);
  FirstContainingLookup(const FirstContainingLookup&) = delete;
  FirstContainingLookup& operator=(const FirstContainingLookup&) = delete;

  // The index of the first text that contains "needle", or kNone. The empty needle is contained
  // in every text, so it finds the first text (kNone when there is none).
  size_t Find(std::string_view needle);

 private:
  size_t Search(std::string_view needle) const;

  std::vector<std::string_view> texts_;
  // Four-byte piece -> indexes of the texts that hold it, ascending, each once.
  std::unordered_map<uint32_t, std::vector<uint32_t>> pieces_;
  std::unordered_map<std::string, size_t> answers_;  // remembered per searched text
};

}  // namespace zbe
