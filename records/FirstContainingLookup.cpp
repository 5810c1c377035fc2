#include "records/FirstContainingLookup.h"

#include <algorithm>
#include <cstddef>

namespace zbe {
namespace {

// Four bytes, not three: phone texts are made of ten digits, so a three-digit piece is held by
// about one text in ten and a four-digit piece by about one in a hundred.
constexpr size_t kPieceLength = 4;

uint32_t PieceAt(std::string_view text, size_t pos) {
  return static_cast<uint32_t>(static_cast<unsigned char>(text[pos])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(text[pos + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(text[pos + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(text[pos + 3]));
}

}  // namespace

FirstContainingLookup::FirstContainingLookup(std::vector<std::string_view> texts)
    : texts_(std::move(texts)) {
  for (size_t index = 0; index < texts_.size(); ++index) {
    std::string_view text = texts_[index];
    for (size_t pos = 0; pos + kPieceLength <= text.size(); ++pos) {
      std::vector<uint32_t>& holders = pieces_[PieceAt(text, pos)];
      if (holders.empty() || holders.back() != index) {
        holders.push_back(static_cast<uint32_t>(index));
      }
    }
  }
}

size_t FirstContainingLookup::Find(std::string_view needle) {
  auto known = answers_.find(std::string(needle));
  if (known != answers_.end()) {
    return known->second;
  }
  size_t answer = Search(needle);
  answers_.emplace(std::string(needle), answer);
  return answer;
}

size_t FirstContainingLookup::Search(std::string_view needle) const {
  if (needle.size() < kPieceLength) {
    for (size_t index = 0; index < texts_.size(); ++index) {
      if (texts_[index].find(needle) != std::string_view::npos) {
        return index;
      }
    }
    return kNone;
  }
  // Every text that contains the needle holds each of its pieces, so the first match is among
  // the texts that hold all of them. The rarest piece's holders are walked in ascending order
  // and tested against a few of the next rarest pieces first: with digits alone a piece is
  // held by one text in a hundred, so one piece leaves candidates in proportion to the number of
  // texts (and the lookups of a backup grow with the square of its size), two or three leave
  // next to none.
  std::vector<const std::vector<uint32_t>*> holders;
  for (size_t pos = 0; pos + kPieceLength <= needle.size(); ++pos) {
    auto found = pieces_.find(PieceAt(needle, pos));
    if (found == pieces_.end()) {
      return kNone;
    }
    holders.push_back(&found->second);
  }
  constexpr size_t kPiecesTested = 4;
  size_t tested = std::min(holders.size(), kPiecesTested);
  std::partial_sort(holders.begin(), holders.begin() + static_cast<std::ptrdiff_t>(tested),
                    holders.end(),
                    [](const auto* a, const auto* b) { return a->size() < b->size(); });
  for (uint32_t index : *holders[0]) {
    bool heldByAll = true;
    for (size_t other = 1; other < tested && heldByAll; ++other) {
      heldByAll = std::binary_search(holders[other]->begin(), holders[other]->end(), index);
    }
    if (heldByAll && texts_[index].find(needle) != std::string_view::npos) {
      return index;
    }
  }
  return kNone;
}

}  // namespace zbe
