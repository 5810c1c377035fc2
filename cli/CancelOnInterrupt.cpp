#include "cli/CancelOnInterrupt.h"

#include <signal.h>

#include <atomic>

namespace zbe::cli {
namespace {

// What the handler calls. A signal handler reaches nothing but process-wide state; these are
// set only while a CancelOnInterrupt lives.
std::atomic<CancelOnInterrupt::CancelFunction> gCancel{nullptr};
std::atomic<void*> gContext{nullptr};
std::atomic<int> gInterrupted{0};
struct sigaction gFormer {};

static_assert(std::atomic<CancelOnInterrupt::CancelFunction>::is_always_lock_free);
static_assert(std::atomic<void*>::is_always_lock_free);

extern "C" void OnInterrupt(int) {
  gInterrupted.store(1);
  CancelOnInterrupt::CancelFunction cancel = gCancel.load();
  if (cancel != nullptr) {
    cancel(gContext.load());
  }
}

}  // namespace

CancelOnInterrupt::CancelOnInterrupt(CancelFunction cancel, void* context) {
  gInterrupted.store(0);
  gContext.store(context);
  gCancel.store(cancel);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &gFormer);
}

CancelOnInterrupt::~CancelOnInterrupt() {
  sigaction(SIGINT, &gFormer, nullptr);
  gCancel.store(nullptr);
  gContext.store(nullptr);
}

bool CancelOnInterrupt::interrupted() const {
  return gInterrupted.load() != 0;
}

}  // namespace zbe::cli
