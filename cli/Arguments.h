#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace zbe::cli {

// One option a command accepts: "--name", with or without a value.
struct OptionSpec {
  std::string name;  // with the leading "--"
  bool takesValue = false;
};

// A command's arguments after parsing.
struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // options with a value, by name
  std::set<std::string> flags;                // options without a value that were given
  bool help = false;                          // "--help" or "-h" was given

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  // The value of "option", or "fallback" when it was not given.
  std::string value(const std::string& option, const std::string& fallback = {}) const;
};

// Parses "arguments" against "specs". Options take their value as the next argument or after
// "=" ("--root=DIR"); "--" ends the options. Returns "" on success, else a message naming the
// unknown option, the missing value or the value given to a flag.
std::string ParseArguments(const std::vector<std::string>& arguments,
                           const std::vector<OptionSpec>& specs, ParsedArguments& parsed);

}  // namespace zbe::cli
