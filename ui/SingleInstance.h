// One running instance per user. The first instance takes a lock and listens on a local socket
// of the same name; a later launch finds the lock taken and asks the first to show its window.
// The lock and the socket live in $XDG_RUNTIME_DIR, or in the temporary folder with the user's
// id in their names.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace zbe {

class UISingleInstance {
 public:
  enum class Answer {
    kShown,     // the first instance showed its window
    kNoWindow,  // the first instance runs but has no window yet
    kNoAnswer,  // it could not be reached in time
  };

  // "name" names the lock and the socket (letters, digits and "_" keep it a plain file name).
  // The toolkit (UIApplication) must exist while the first instance listens.
  explicit UISingleInstance(std::string name);
  ~UISingleInstance();
  UISingleInstance(const UISingleInstance&) = delete;
  UISingleInstance& operator=(const UISingleInstance&) = delete;

  // Takes the lock. Returns true when this is the first instance (it then listens until the
  // object is destroyed), false when another live instance holds the lock. A lock left by an
  // instance that died is taken over. Returns true as well when the lock cannot be made at
  // all (no writable folder): one instance too many is better than none.
  bool Acquire();

  // First instance: "onShow" runs on the UI thread when a later launch asks, and answers
  // whether a window was shown. Without a handler the answer is kNoWindow.
  void SetShowHandler(std::function<bool()> onShow);

  // Later instance: asks the first to show its window, waiting at most "timeoutMs". Blocks;
  // may run on any thread.
  Answer AskFirstToShow(int timeoutMs = 3000);

  // The socket's path (for messages and tests).
  std::string SocketPath() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zbe
