#include "tools/players/PlayerCommand.h"

#include <unistd.h>

#include <charconv>
#include <string_view>

namespace zbe::players {
namespace {

bool ToInt(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

std::optional<VideoRequest> ParseVideoRequest(const std::vector<std::string>& args,
                                              std::string& error) {
  VideoRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "-aspect" || arg == "-vo" || arg == "-lavdopts" ||
                            arg == "-geometry" || arg == "-x" || arg == "-y";
    if (!takesValue) {
      if (!arg.empty() && arg[0] == '-' && arg.size() > 1) {
        error = "unknown option " + arg;
        return std::nullopt;
      }
      request.file = arg;  // the last one wins, as players take it
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "option " + arg + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (arg == "-geometry") {
      const size_t colon = value.find(':');
      ok = colon != std::string::npos &&
           ToInt(std::string_view(value).substr(0, colon), request.left) &&
           ToInt(std::string_view(value).substr(colon + 1), request.top);
    } else if (arg == "-x") {
      ok = ToInt(value, request.width) && request.width > 0;
    } else if (arg == "-y") {
      ok = ToInt(value, request.height) && request.height > 0;
    } else if (arg == "-lavdopts") {
      const std::string_view key = "threads=";
      if (value.rfind(key, 0) == 0)
        ok = ToInt(std::string_view(value).substr(key.size()), request.threads);
    }
    if (!ok) {
      error = "bad value \"" + value + "\" for " + arg;
      return std::nullopt;
    }
  }
  if (request.file.empty()) {
    error = "no file to play";
    return std::nullopt;
  }
  return request;
}

std::string FindInPath(const std::string& program, const std::string& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(':', start);
    if (end == std::string::npos)
      end = path.size();
    std::string folder = path.substr(start, end - start);
    if (folder.empty())
      folder = ".";
    const std::string candidate = folder + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

std::vector<std::string> PlayerArguments(PlayerKind kind, const std::string& program,
                                         const VideoRequest& request) {
  std::vector<std::string> argv{program};
  if (kind == PlayerKind::kMpv) {
    argv.push_back("--no-input-terminal");
    argv.push_back("--force-window=immediate");
    if (request.width > 0 && request.height > 0) {
      std::string geometry = std::to_string(request.width) + "x" + std::to_string(request.height);
      if (request.left >= 0 && request.top >= 0)
        geometry += "+" + std::to_string(request.left) + "+" + std::to_string(request.top);
      argv.push_back("--geometry=" + geometry);
    }
    if (request.threads > 0)
      argv.push_back("--vd-lavc-threads=" + std::to_string(request.threads));
    // Printed once playback has begun: the launcher's sign that the video plays.
    argv.push_back("--term-playing-msg=Playing ${filename}: ${percent-pos}%");
    argv.push_back("--");
  } else {
    argv.push_back("-autoexit");
    argv.push_back("-hide_banner");
    argv.push_back("-stats");
    if (request.width > 0 && request.height > 0) {
      argv.insert(argv.end(),
                  {"-x", std::to_string(request.width), "-y", std::to_string(request.height)});
    }
    if (request.left >= 0 && request.top >= 0) {
      argv.insert(argv.end(),
                  {"-left", std::to_string(request.left), "-top", std::to_string(request.top)});
    }
  }
  // A name that begins with "-" must not read as an option.
  argv.push_back(request.file.front() == '-' ? "./" + request.file : request.file);
  return argv;
}

}  // namespace zbe::players
