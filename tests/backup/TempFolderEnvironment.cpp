// Gives every process of the suite a temporary folder of its own (ZBE_TEMP_FOLDER is read once,
// at the first use of the temporary folder), so that decrypted copies and clean-ups never touch
// the machine's real folders.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/TestFiles.h"

namespace zbe {
namespace {

class TempFolderEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<test::TempFolder>();
    setenv("ZBE_TEMP_FOLDER", (*folder_ / "ZorvaneTempFile").c_str(), 1);
  }
  void TearDown() override { folder_.reset(); }

 private:
  std::unique_ptr<test::TempFolder> folder_;
};

// gtest owns the environment.
::testing::Environment* const kTempFolderEnvironment =
    ::testing::AddGlobalTestEnvironment(new TempFolderEnvironment);

}  // namespace
}  // namespace zbe
