#include "tools/mkbackup/SampleRandom.h"

namespace zbe::mkbackup {
namespace {

std::string Pick(SampleRandom& random, const char* alphabet, uint32_t size, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += alphabet[random.Below(size)];
  }
  return text;
}

}  // namespace

std::string SampleRandom::Digits(int count) {
  return Pick(*this, "0123456789", 10, count);
}

std::string SampleRandom::UpperHex(int count) {
  return Pick(*this, "0123456789ABCDEF", 16, count);
}

std::string SampleRandom::LowerHex(int count) {
  return Pick(*this, "0123456789abcdef", 16, count);
}

std::string SampleRandom::Alphanumeric(int count) {
  return Pick(*this, "ABCDEFGHJKLMNPQRSTUVWXYZ0123456789", 34, count);
}

}  // namespace zbe::mkbackup
