#include "cli/Arguments.h"

#include <gtest/gtest.h>

namespace zbe::cli {
namespace {

const std::vector<OptionSpec> kSpecs = {{"--root", true}, {"--json", false}};

TEST(ParseArguments, SeparatesPositionalsValuesAndFlags) {
  ParsedArguments parsed;
  ASSERT_EQ(ParseArguments({"a", "--root", "/x y", "--json", "b"}, kSpecs, parsed), "");
  EXPECT_EQ(parsed.positional, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(parsed.value("--root"), "/x y");
  EXPECT_TRUE(parsed.has("--json"));
  EXPECT_FALSE(parsed.help);
}

TEST(ParseArguments, AcceptsEqualsValuesDoubleDashAndHelp) {
  ParsedArguments parsed;
  ASSERT_EQ(ParseArguments({"--root=/r", "--", "--json", "-h"}, kSpecs, parsed), "");
  EXPECT_EQ(parsed.value("--root"), "/r");
  EXPECT_EQ(parsed.positional, (std::vector<std::string>{"--json", "-h"}));
  EXPECT_FALSE(parsed.has("--json"));
  ParsedArguments help;
  ASSERT_EQ(ParseArguments({"-h"}, kSpecs, help), "");
  EXPECT_TRUE(help.help);
  ParsedArguments dash;
  ASSERT_EQ(ParseArguments({"-"}, kSpecs, dash), "");
  EXPECT_EQ(dash.positional, (std::vector<std::string>{"-"}));
}

TEST(ParseArguments, ExplainsWhatIsWrong) {
  ParsedArguments parsed;
  EXPECT_EQ(ParseArguments({"--bogus"}, kSpecs, parsed), "unknown option --bogus");
  EXPECT_EQ(ParseArguments({"--root"}, kSpecs, parsed), "option --root needs a value");
  EXPECT_EQ(ParseArguments({"--json=yes"}, kSpecs, parsed), "option --json takes no value");
}

}  // namespace
}  // namespace zbe::cli
