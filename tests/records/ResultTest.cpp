#include "records/Result.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>

#include "records/ResultCodes.h"

namespace zbe {
namespace {

// The numbers that different origins share stay apart, and become the bare number only when
// asked for it.
TEST(Result, KeepsCodesOfDifferentOriginsApart) {
  Result stop = Result::Stopped();
  Result missing = Result::System(ENOENT);
  Result internal = Result::Sqlite(SQLITE_INTERNAL);
  EXPECT_EQ(stop.code(), 2);
  EXPECT_EQ(missing.code(), 2);
  EXPECT_EQ(internal.code(), 2);
  EXPECT_NE(stop, missing);
  EXPECT_NE(missing, internal);
  EXPECT_TRUE(stop.stopped());
  EXPECT_FALSE(missing.stopped());
  EXPECT_NE(Result::Sqlite(SQLITE_CANTOPEN), Result::System(EFAULT));
  EXPECT_EQ(Result(kMissingFile).code(), kResultMissingFile);
  EXPECT_EQ(Result(kMissingFile).kind(), Result::Kind::kOwn);
}

TEST(Result, ZeroIsSuccessWhateverItsOrigin) {
  EXPECT_TRUE(Result::Sqlite(SQLITE_OK).ok());
  EXPECT_TRUE(Result::System(0).ok());
  EXPECT_TRUE(Result::Answer(0).ok());
  EXPECT_EQ(Result::Answer(2), Result::Stopped());
  // Any other answer stops too, and is handed on as it was given.
  EXPECT_TRUE(Result::Answer(7).stopped());
  EXPECT_EQ(Result::Answer(7).code(), 7);
}

TEST(Result, SaysWhatHappenedInEnglish) {
  EXPECT_EQ(Result::Ok().Text(), "Success");
  EXPECT_EQ(Result::Stopped().Text(), "Stopped");
  EXPECT_EQ(Result(kQueryFailed).Text(), "A database query failed");
  EXPECT_EQ(Result::Sqlite(SQLITE_CANTOPEN).Text(), "A database could not be opened");
  EXPECT_EQ(Result::Sqlite(SQLITE_NOTADB).Text(), "A database reported: file is not a database");
  EXPECT_EQ(Result::System(EFAULT).Text(), "Bad address");
  EXPECT_EQ(Result::System(ENOENT).Text(), "No such file or directory");
}

}  // namespace
}  // namespace zbe
