// A stand-in for the decryption tool, for the runner's tests. Like the real tool it takes the
// backup folder and the output folder as arguments and the password as one line on standard
// input. It records what it got and then follows the script in ZBE_FAKE_TOOL_SCRIPT, steps
// separated by "|":
//   out:TEXT     writes TEXT to standard output in one write ("\n" stands for a line break)
//   err:TEXT     the same on standard error
//   file:NAME    writes a file NAME (text "decrypted") into the output folder
//   sleep:MS     sleeps MS milliseconds
//   child        starts a child of its own that sleeps for a minute (its id goes to "grandchild")
//   exit:N       exits with status N
// Records go to the folder ZBE_FAKE_TOOL_LOG: "password" (the line read), "arguments" (argv
// joined by NUL bytes), "pid" and "pgid".

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string logFolder;

void Record(const std::string& name, const std::string& text) {
  if (!logFolder.empty()) {
    std::ofstream(logFolder + "/" + name, std::ios::binary) << text;
  }
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put <= 0) {
      return;
    }
    done += static_cast<size_t>(put);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* folder = std::getenv("ZBE_FAKE_TOOL_LOG")) {
    logFolder = folder;
  }
  std::string arguments;
  for (int i = 0; i < argc; ++i) {
    arguments.append(argv[i]).push_back('\0');
  }
  Record("arguments", arguments);
  Record("pid", std::to_string(getpid()));
  Record("pgid", std::to_string(getpgrp()));
  std::string password;
  char c = 0;
  while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n') {
    password += c;
  }
  Record("password", password);
  const char* script = std::getenv("ZBE_FAKE_TOOL_SCRIPT");
  std::string steps = script != nullptr ? script : "";
  size_t start = 0;
  while (start <= steps.size() && !steps.empty()) {
    size_t end = steps.find('|', start);
    std::string step =
        steps.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string kind = step.substr(0, step.find(':'));
    std::string value = step.find(':') == std::string::npos ? "" : step.substr(step.find(':') + 1);
    if (kind == "out") {
      WriteAll(STDOUT_FILENO, Unescape(value));
    } else if (kind == "err") {
      WriteAll(STDERR_FILENO, Unescape(value));
    } else if (kind == "file" && argc >= 3) {
      std::ofstream(std::string(argv[2]) + "/" + value, std::ios::binary) << "decrypted";
    } else if (kind == "sleep") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value.c_str())));
    } else if (kind == "child") {
      pid_t child = fork();
      if (child == 0) {
        std::this_thread::sleep_for(std::chrono::seconds(60));
        _exit(0);
      }
      Record("grandchild", std::to_string(child));
    } else if (kind == "exit") {
      return std::atoi(value.c_str());
    }
    if (end == std::string::npos) {
      break;
    }
    start = end + 1;
  }
  return 0;
}
