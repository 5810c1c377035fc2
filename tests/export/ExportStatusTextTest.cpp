// The status texts of the export's file list.

#include "export/ExportStatusText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zbe {
namespace {

TEST(ExportStatusText, SaysSuccessOrWhatWentWrong) {
  EXPECT_EQ(ExportStatusText(0), "Success");
  // The program's own codes come before the errno texts that share their numbers.
  EXPECT_EQ(ExportStatusText(87), "A needed file is missing or could not be opened");
  EXPECT_EQ(ExportStatusText(1006), "A database query failed");
  EXPECT_EQ(ExportStatusText(6009), "The backup's manifest could not be opened");
  EXPECT_EQ(ExportStatusText(14), "A database could not be opened");
  EXPECT_EQ(ExportStatusText(-110), "The backup password is wrong");
  // A stop is never listed, so 2 is the errno of a missing file.
  EXPECT_EQ(ExportStatusText(ENOENT), "No such file or directory");
  // Real errno values read as the system's English text.
  EXPECT_EQ(ExportStatusText(ENOSPC), "No space left on device");
  EXPECT_EQ(ExportStatusText(ENAMETOOLONG), "File name too long");
  EXPECT_EQ(ExportStatusText(ENOTDIR), "Not a directory");
  EXPECT_FALSE(ExportStatusText(123456).empty());
}

}  // namespace
}  // namespace zbe
