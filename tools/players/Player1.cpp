// Player1: the audio player beside the application. Hands one file to the desktop's default
// handler (xdg-open), which runs in its place. Exits 2 when the file cannot be read, 3 when
// there is no xdg-open, 64 for a bad command line; otherwise with xdg-open's status.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/players/PlayerCommand.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: Player1 FILE\n");
    return 64;
  }
  const std::string file = argv[1];
  if (access(file.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "Player1: cannot read %s: %s\n", file.c_str(), std::strerror(errno));
    return 2;
  }
  const char* pathEnv = std::getenv("PATH");
  const std::string opener =
      zbe::players::FindInPath("xdg-open", pathEnv != nullptr ? pathEnv : "/usr/bin:/bin");
  if (opener.empty()) {
    std::fprintf(stderr, "Player1: cannot play %s: xdg-open is not installed\n", file.c_str());
    return 3;
  }
  // xdg-open takes the place of this process, so ending Player1 ends it.
  const std::string target = file.front() == '-' ? "./" + file : file;
  execl(opener.c_str(), "xdg-open", target.c_str(), static_cast<char*>(nullptr));
  std::fprintf(stderr, "Player1: cannot start %s: %s\n", opener.c_str(), std::strerror(errno));
  return 1;
}
