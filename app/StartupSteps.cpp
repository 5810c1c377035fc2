#include "app/StartupSteps.h"

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/AppFolders.h"
#include "platform/FileSystem.h"

namespace zbe {
namespace {

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

// The players started by this process (the one process-wide list shut-down needs).
struct StartedPlayers {
  std::mutex lock;
  std::vector<pid_t> pids;
};

StartedPlayers& Players() {
  static StartedPlayers players;
  return players;
}

}  // namespace

ComponentResult RegisterImageComponent(const std::string& programFolder) {
  const std::string path = programFolder + kImageComponentFile;
  std::unique_ptr<void, LibraryCloser> library(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!library)
    return ComponentResult::kNotLoadable;
  using RegisterFn = int32_t (*)();
  auto reg = reinterpret_cast<RegisterFn>(dlsym(library.get(), "DllRegisterServer"));
  if (reg == nullptr)
    return ComponentResult::kNoEntry;
  reg();
  return ComponentResult::kRegistered;
}

int32_t EnsureViewInstallFolder() {
  std::string appData;
  if (int32_t rc = AppDataFolder(appData); rc != 0)
    return rc;
  return CreateFolders(WorkFolderIn(appData) + "viewInstall", 0700);
}

void DeletePreviewCopies() {
  std::string appData;
  if (AppDataFolder(appData) != 0)
    return;
  const std::string work = WorkFolderIn(appData);
  for (const char* name : {"tmp.jpg", "tmp.wav", "tmp.avi"})
    RemovePath(work + name);
}

void RememberStartedPlayer(pid_t pid) {
  StartedPlayers& p = Players();
  std::lock_guard<std::mutex> guard(p.lock);
  p.pids.push_back(pid);
}

void EndStartedPlayers() {
  StartedPlayers& p = Players();
  std::lock_guard<std::mutex> guard(p.lock);
  for (pid_t pid : p.pids) {
    // A player that has ended and been reaped may have its id reused: only a child of ours
    // that still runs is ended.
    if (waitpid(pid, nullptr, WNOHANG) != 0)
      continue;
    kill(pid, SIGTERM);
    // A player gets a second to end; one that ignores the request is killed.
    bool ended = false;
    for (int i = 0; i < 20 && !ended; ++i) {
      ended = waitpid(pid, nullptr, WNOHANG) != 0;
      if (!ended)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  p.pids.clear();
}

}  // namespace zbe
