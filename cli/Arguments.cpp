#include "cli/Arguments.h"

namespace zbe::cli {

std::string ParsedArguments::value(const std::string& option, const std::string& fallback) const {
  auto found = values.find(option);
  return found != values.end() ? found->second : fallback;
}

std::string ParseArguments(const std::vector<std::string>& arguments,
                           const std::vector<OptionSpec>& specs, ParsedArguments& parsed) {
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      parsed.positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      continue;
    }
    size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : specs) {
      if (candidate.name == name) {
        spec = &candidate;
      }
    }
    if (spec == nullptr) {
      return "unknown option " + name;
    }
    if (!spec->takesValue) {
      if (equals != std::string::npos) {
        return "option " + name + " takes no value";
      }
      parsed.flags.insert(name);
    } else if (equals != std::string::npos) {
      parsed.values[name] = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      parsed.values[name] = arguments[++i];
    } else {
      return "option " + name + " needs a value";
    }
  }
  return {};
}

}  // namespace zbe::cli
