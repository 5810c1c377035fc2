// The text of archived attributed strings, against the real attributedBody values of
// ../shared/realdata/typedstream and their expected texts.

#include "records/AttributedBodyText.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/TestFiles.h"

namespace zbe {
namespace {

const std::string kBlobs = std::string(ZBE_REALDATA_DIR) + "/typedstream";

// Bytes placed so that they end right where an inaccessible page begins: a read past their end
// faults instead of passing unnoticed.
class GuardedBytes {
 public:
  explicit GuardedBytes(const std::string& bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t dataPages = (bytes.size() + page - 1) / page + 1;
    length_ = (dataPages + 1) * page;
    void* mapped =
        mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    EXPECT_NE(mapped, MAP_FAILED);
    base_ = static_cast<char*>(mapped);
    char* guard = base_ + dataPages * page;
    EXPECT_EQ(mprotect(guard, page, PROT_NONE), 0);
    start_ = guard - bytes.size();
    std::copy(bytes.begin(), bytes.end(), start_);
    size_ = bytes.size();
  }
  ~GuardedBytes() { munmap(base_, length_); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  std::string_view view() const { return {start_, size_}; }

 private:
  char* base_ = nullptr;
  size_t length_ = 0;
  char* start_ = nullptr;
  size_t size_ = 0;
};

std::optional<std::string> Decode(const std::string& bytes) {
  GuardedBytes guarded(bytes);
  return AttributedBodyText(guarded.view());
}

class AttributedBodyTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kBlobs + "/expected.json")) {
      GTEST_SKIP() << "real sample data not found at " << kBlobs;
    }
    expected_ = nlohmann::json::parse(test::ReadFile(kBlobs + "/expected.json"));
  }

  nlohmann::json expected_;
};

TEST_F(AttributedBodyTextTest, EveryRealArchiveGivesItsText) {
  ASSERT_EQ(expected_.size(), 34u);
  for (const auto& [name, text] : expected_.items()) {
    std::optional<std::string> decoded = Decode(test::ReadFile(kBlobs + "/" + name));
    ASSERT_TRUE(decoded.has_value()) << name;
    EXPECT_EQ(*decoded, text.get<std::string>()) << name;
  }
}

TEST_F(AttributedBodyTextTest, AnArchiveCutShortGivesNoTextAndStaysInsideIt) {
  // Its string claims 157 bytes, but the blob ends first.
  EXPECT_EQ(Decode(test::ReadFile(kBlobs + "/malformed/ExtraData")), std::nullopt);
  // Every prefix of a real archive that stops before the string's end.
  for (const char* name : {"AttributedBodyTextOnly", "LongMessage", "WeirdText"}) {
    std::string blob = test::ReadFile(kBlobs + "/" + name);
    std::string text = expected_[name].get<std::string>();
    size_t stringEnd = blob.find(text) + text.size();  // then the end tag
    for (size_t length = 0; length <= stringEnd; ++length) {
      EXPECT_EQ(Decode(blob.substr(0, length)), std::nullopt) << name << " cut at " << length;
    }
    EXPECT_EQ(Decode(blob.substr(0, stringEnd + 1)), text) << name;
  }
}

TEST_F(AttributedBodyTextTest, DamagedArchivesGiveNoTextOrTheirStringButNeverReadOutside) {
  std::string blob = test::ReadFile(kBlobs + "/Mention");
  for (size_t at = 0; at < blob.size(); ++at) {
    for (int value : {0x00, 0x7F, 0x81, 0x82, 0x84, 0x85, 0x86, 0x92, 0x99, 0xFF}) {
      std::string damaged = blob;
      damaged[at] = static_cast<char>(value);
      std::optional<std::string> text = Decode(damaged);
      if (text.has_value()) {
        EXPECT_LE(text->size(), blob.size());
      }
    }
  }
  EXPECT_EQ(Decode(""), std::nullopt);
  EXPECT_EQ(Decode("plain text, as older devices stored it"), std::nullopt);
}

TEST(AttributedBodyText, IllFormedTextBytesBecomeReplacementCharacters) {
  using namespace std::string_literals;
  std::string archive =
      "\x04\x0Bstreamtyped\x81\xE8\x03\x84\x01@\x84\x84\x84\x12NSAttributedString\x00\x84\x84"
      "\x08NSObject\x00\x85\x92\x84\x84\x84\x08NSString\x01\x94\x84\x01+\x03"
      "a\xFF"
      "b\x86"s;
  EXPECT_EQ(AttributedBodyText(archive),
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace zbe
