#pragma once

// Runs one of the built programs (build/bin) and collects its exit status and output.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

namespace zbe::test {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs ZBE_BIN_DIR/"program" (or "program" itself when it is an absolute path) with "arguments";
// "environment" is added to (or, with an empty value, removed from) the test's own environment for
// the child only. With "input" the child reads it on its standard input; otherwise it inherits the
// test's.
inline ProgramResult RunProgram(
    const std::string& program, const std::vector<std::string>& arguments,
    const std::vector<std::pair<std::string, std::string>>& environment = {},
    const std::optional<std::string>& input = std::nullopt) {
  TempFolder capture;
  std::string outPath = capture / "out";
  std::string errPath = capture / "err";
  std::string inPath = capture / "in";
  if (input) {
    WriteFile(inPath, *input);
  }
  std::string path = program.front() == '/' ? program : std::string(ZBE_BIN_DIR) + "/" + program;
  pid_t child = fork();
  if (child == 0) {
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
      _exit(127);
    }
    if (input) {
      int in = open(inPath.c_str(), O_RDONLY);
      if (in < 0 || dup2(in, 0) < 0) {
        _exit(127);
      }
    }
    for (const auto& [name, value] : environment) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  ProgramResult result;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    result.status = WEXITSTATUS(status);
  }
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

}  // namespace zbe::test
