#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace zbe::fuzz {

// The input as "count" texts: split at its first count - 1 zero bytes; missing parts are empty.
// The first part is the file under test, so that real files (which hold no zero byte where
// this matters) are good seeds as they are; the mutator adds the further parts.
inline std::vector<std::string_view> SplitParts(const uint8_t* data, size_t size, size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) {
      break;
    }
    parts.push_back(rest.substr(0, zero));
    rest.remove_prefix(zero + 1);
  }
  parts.push_back(rest);
  parts.resize(count);
  return parts;
}

// Stops the run with a report when an invariant of the code under test does not hold.
#define ZBE_FUZZ_CHECK(condition)                                                            \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      __builtin_trap();                                                                      \
    }                                                                                        \
  } while (false)

}  // namespace zbe::fuzz
