#include "backup/StoredFileCopy.h"

#include <gtest/gtest.h>

#include <vector>

#include "records/ResultCodes.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

struct Call {
  int32_t percent;
  int32_t code;
  std::string destination;
};

struct Recorder {
  std::vector<Call> calls;
  int32_t answerAt = -1;  // answer 2 at this call (0-based)

  static int32_t Callback(void* context, int32_t percent, int32_t code,
                          const std::string& destination) {
    auto* self = static_cast<Recorder*>(context);
    self->calls.push_back({percent, code, destination});
    return static_cast<int32_t>(self->calls.size()) - 1 == self->answerAt ? 2 : 0;
  }
};

TEST(CopyStoredFile, CopiesInChunksReportingPercent) {
  TempFolder temp;
  std::string bytes(65536 * 2 + 10, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i * 7);
  }
  WriteFile(temp / "stored", bytes);
  Recorder recorder;
  std::string destination = temp / "out/Camera Roll/IMG_0001.JPG";
  ASSERT_EQ(CopyStoredFile(temp / "stored", destination, Recorder::Callback, &recorder),
            Result::Ok());
  EXPECT_EQ(ReadFile(destination), bytes);
  ASSERT_EQ(recorder.calls.size(), 3u);
  EXPECT_EQ(recorder.calls[0].percent, 49);
  EXPECT_EQ(recorder.calls[1].percent, 99);
  EXPECT_EQ(recorder.calls[2].percent, 100);
  for (const Call& call : recorder.calls) {
    EXPECT_EQ(call.code, 0);
    EXPECT_EQ(call.destination, destination);
  }
}

TEST(CopyStoredFile, CreatesAnEmptyCopyOfAnEmptyFileWithoutCallback) {
  TempFolder temp;
  WriteFile(temp / "empty", "");
  Recorder recorder;
  ASSERT_EQ(CopyStoredFile(temp / "empty", temp / "a/b/copy", Recorder::Callback, &recorder),
            Result::Ok());
  EXPECT_TRUE(std::filesystem::exists(temp / "a/b/copy"));
  EXPECT_EQ(std::filesystem::file_size(temp / "a/b/copy"), 0u);
  EXPECT_TRUE(recorder.calls.empty());
}

TEST(CopyStoredFile, ReportsAMissingSourceOnceWithPercent100) {
  TempFolder temp;
  Recorder recorder;
  EXPECT_EQ(CopyStoredFile(temp / "missing", temp / "copy", Recorder::Callback, &recorder),
            Result(kMissingFile));
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].percent, 100);
  EXPECT_EQ(recorder.calls[0].code, kResultMissingFile);
  EXPECT_EQ(CopyStoredFile(temp / "missing", temp / "copy2", nullptr, nullptr),
            Result(kMissingFile));
}

TEST(CopyStoredFile, StopsWhenTheCallbackAnswersNonZero) {
  TempFolder temp;
  WriteFile(temp / "stored", std::string(65536 * 3, 'x'));
  Recorder recorder;
  recorder.answerAt = 0;
  EXPECT_EQ(CopyStoredFile(temp / "stored", temp / "copy", Recorder::Callback, &recorder),
            Result::Stopped());
  ASSERT_EQ(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[0].percent, 33);
  EXPECT_EQ(recorder.calls[1].percent, 100);
  EXPECT_EQ(recorder.calls[1].code, 2);
  EXPECT_EQ(std::filesystem::file_size(temp / "copy"), 65536u);
}

TEST(CopyStoredFile, ReplacesALongerDestinationAndNeverCopiesOntoItself) {
  TempFolder temp;
  WriteFile(temp / "stored", "new");
  WriteFile(temp / "copy", std::string(100000, 'o'));
  ASSERT_EQ(CopyStoredFile(temp / "stored", temp / "copy", nullptr, nullptr), Result::Ok());
  EXPECT_EQ(ReadFile(temp / "copy"), "new");
  EXPECT_EQ(CopyStoredFile(temp / "stored", temp / "stored", nullptr, nullptr),
            Result(kMissingFile));
  EXPECT_EQ(ReadFile(temp / "stored"), "new");
}

TEST(CopyStoredFile, EndsAtAFailedWriteEvenWhenTheCallbackGoesOn) {
  TempFolder temp;
  WriteFile(temp / "stored", std::string(1000, 'x'));
  if (!std::filesystem::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full";
  }
  Recorder recorder;
  Result result = CopyStoredFile(temp / "stored", "/dev/full", Recorder::Callback, &recorder);
  EXPECT_EQ(result, Result::System(ENOSPC));
  ASSERT_EQ(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[0].code, ENOSPC);
  EXPECT_EQ(recorder.calls[1].percent, 100);
  EXPECT_EQ(recorder.calls[1].code, ENOSPC);
}

}  // namespace
}  // namespace zbe
