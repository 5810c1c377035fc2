#include "tools/mkbackup/SampleText.h"

#include <cstdio>
#include <iterator>

namespace zbe::mkbackup {
namespace {

uint64_t Mix(uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

constexpr const char* kChatLines[] = {
    "Hi! How are you?",
    "On my way, 10 min",
    "Can you pick up milk / bread on the way home?",
    "😂😂😂",
    "Happy birthday!! 🎂🎉",
    "Meeting moved to 3pm",
    "Did you see this? https://news.example.com/a/b?c=1&d=2",
    "ok",
    "Thanks, that helps a lot 🙏",
    "Where are we meeting tomorrow?",
    "Running late, sorry",
    "Train 7:42 → 8:15, platform 3",
    "Let's do Friday",
    "Call me when you can",
    "I'll send the photos tonight 📷",
    "50/50 chance of rain, bring a jacket",
    "Grüße aus München!",
    "¿Vienes a la cena?",
    "明天见",
    "Good night 🌙",
    "Done ✅",
    "The code is 4512",
    "Love you ❤️",
    "Can't talk now, in a meeting",
};

}  // namespace

std::string UpperUuid(int64_t number, uint32_t salt) {
  uint64_t high = Mix(static_cast<uint64_t>(number) * 1315423911u + salt);
  uint64_t low = Mix(high ^ salt);
  char text[40];
  std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(high >> 32),
                static_cast<unsigned>((high >> 16) & 0xFFFF),
                static_cast<unsigned>(0x4000 | (high & 0x0FFF)),
                static_cast<unsigned>(0x8000 | ((low >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
  return text;
}

std::string ChatLine(SampleRandom& random) {
  return kChatLines[random.Below(static_cast<uint32_t>(std::size(kChatLines)))];
}

}  // namespace zbe::mkbackup
