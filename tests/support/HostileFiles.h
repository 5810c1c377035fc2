#pragma once

// Things a damaged or malicious backup may hold where a file should be (a FIFO, a socket, a
// folder, a link loop), and a bounded wait for code that must refuse them rather than block.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace zbe::test {

enum class Hostile { kFifo, kSocket, kFolder, kLinkLoop };

inline const std::vector<Hostile>& AllHostileKinds() {
  static const std::vector<Hostile> kinds = {Hostile::kFifo, Hostile::kSocket, Hostile::kFolder,
                                             Hostile::kLinkLoop};
  return kinds;
}

inline const char* HostileName(Hostile kind) {
  switch (kind) {
    case Hostile::kFifo:
      return "FIFO";
    case Hostile::kSocket:
      return "socket";
    case Hostile::kFolder:
      return "folder";
    case Hostile::kLinkLoop:
      return "link loop";
  }
  return "?";
}

// Puts "kind" at "path" (replacing a file there; its folder is created). Returns false on failure.
inline bool PlaceHostile(Hostile kind, const std::string& path) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::filesystem::remove_all(path, ignored);
  switch (kind) {
    case Hostile::kFifo:
      return mkfifo(path.c_str(), 0600) == 0;
    case Hostile::kFolder:
      return mkdir(path.c_str(), 0700) == 0;
    case Hostile::kLinkLoop:
      return symlink(path.c_str(), path.c_str()) == 0;
    case Hostile::kSocket: {
      // A socket's path must be short: it is bound beside the folder and then moved in place.
      std::string shortPath = std::filesystem::path(path).parent_path() / "s";
      if (shortPath.size() >= sizeof(sockaddr_un::sun_path)) {
        const char* base = std::getenv("TMPDIR");
        shortPath = std::string(base != nullptr && base[0] == '/' ? base : "/tmp") + "/zbe-s" +
                    std::to_string(getpid());
      }
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (shortPath.size() >= sizeof address.sun_path) {
        return false;
      }
      std::memcpy(address.sun_path, shortPath.c_str(), shortPath.size() + 1);
      unlink(shortPath.c_str());
      int fd = socket(AF_UNIX, SOCK_STREAM, 0);
      // The socket file stays after the socket is closed; nobody listens on it.
      bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
      if (fd >= 0) {
        close(fd);
      }
      return bound && rename(shortPath.c_str(), path.c_str()) == 0;
    }
  }
  return false;
}

// Runs "work" and answers whether it ended within "limit". When it did not, every FIFO of
// "fifos" is opened for writing and closed again until the work ends, which frees a reader
// blocked on it, so that a failing test reports instead of hanging.
inline bool EndsWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                       const std::vector<std::string>& fifos = {}) {
  std::packaged_task<void()> task(work);
  std::future<void> done = task.get_future();
  std::thread runner(std::move(task));
  bool inTime = done.wait_for(limit) == std::future_status::ready;
  while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    for (const std::string& fifo : fifos) {
      int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        close(fd);
      }
    }
  }
  runner.join();
  return inTime;
}

}  // namespace zbe::test
