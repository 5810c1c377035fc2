#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace zbe::mkbackup {

// The sample backup's source of variety. Built on the raw output of std::mt19937, whose sequence
// the C++ standard fixes, so that one seed gives the same bytes everywhere (the standard
// distributions are not fixed across libraries and are therefore not used).
class SampleRandom {
 public:
  explicit SampleRandom(uint32_t seed) : engine_(seed) {}

  uint32_t Next() { return static_cast<uint32_t>(engine_()); }
  // A number in [0, bound) ("bound" > 0).
  uint32_t Below(uint32_t bound) { return Next() % bound; }
  // A number in [low, high].
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }
  std::string Digits(int count);
  std::string UpperHex(int count);
  std::string LowerHex(int count);
  // Upper-case letters and digits, as in serial numbers.
  std::string Alphanumeric(int count);

 private:
  std::mt19937 engine_;
};

}  // namespace zbe::mkbackup
