#include "records/FirstContainingLookup.h"

#include <gtest/gtest.h>

#include <random>

namespace zbe {
namespace {

// The rule the lookup must answer exactly: a walk through the texts in order.
size_t Linear(const std::vector<std::string>& texts, std::string_view needle) {
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].find(needle) != std::string::npos) {
      return i;
    }
  }
  return FirstContainingLookup::kNone;
}

std::vector<std::string_view> Views(const std::vector<std::string>& texts) {
  return std::vector<std::string_view>(texts.begin(), texts.end());
}

TEST(FirstContainingLookup, AnswersLikeAWalkThroughTheTexts) {
  std::vector<std::string> texts = {"", "(555) 0001 +15550001 ", "+15550001", "ab", "🙂x🙂"};
  FirstContainingLookup lookup(Views(texts));
  EXPECT_EQ(lookup.Find(""), 0u);
  EXPECT_EQ(lookup.Find("+15550001"), 1u);
  EXPECT_EQ(lookup.Find("0001"), 1u);
  EXPECT_EQ(lookup.Find("ab"), 3u);
  EXPECT_EQ(lookup.Find("b"), 3u);
  EXPECT_EQ(lookup.Find("x🙂"), 4u);
  EXPECT_EQ(lookup.Find("+15550002"), FirstContainingLookup::kNone);
  EXPECT_EQ(lookup.Find("abc"), FirstContainingLookup::kNone);
  EXPECT_EQ(lookup.Find(std::string("\0a", 2)), FirstContainingLookup::kNone);
  // Remembered answers are the same answers.
  EXPECT_EQ(lookup.Find("0001"), 1u);
  EXPECT_EQ(lookup.Find("abc"), FirstContainingLookup::kNone);

  FirstContainingLookup none({});
  EXPECT_EQ(none.Find(""), FirstContainingLookup::kNone);
  EXPECT_EQ(none.Find("12345"), FirstContainingLookup::kNone);
}

TEST(FirstContainingLookup, EqualsTheWalkOnRandomPhoneTexts) {
  std::mt19937 random(20240607);
  auto digits = [&](size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
      text += static_cast<char>('0' + random() % 4);  // few digits: many shared pieces
    }
    return text;
  };
  std::vector<std::string> texts;
  for (int i = 0; i < 600; ++i) {
    std::string text = "+1" + digits(6 + random() % 6);
    if (random() % 3 == 0) {
      text += " " + digits(4);
    }
    if (random() % 17 == 0) {
      text.clear();
    }
    texts.push_back(text);
  }
  FirstContainingLookup lookup(Views(texts));
  for (int i = 0; i < 6000; ++i) {
    std::string needle;
    switch (random() % 4) {
      case 0:
        needle = digits(random() % 8);
        break;
      case 1: {  // a piece of one of the texts
        const std::string& text = texts[random() % texts.size()];
        size_t start = text.empty() ? 0 : random() % text.size();
        needle = text.substr(start, random() % 10);
        break;
      }
      case 2:
        needle = "+1" + digits(random() % 9);
        break;
      default:
        needle = texts[random() % texts.size()];
    }
    ASSERT_EQ(lookup.Find(needle), Linear(texts, needle)) << "needle \"" << needle << "\"";
  }
}

}  // namespace
}  // namespace zbe
