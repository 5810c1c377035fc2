#pragma once

namespace zbe::cli {

// While it lives, Ctrl-C (SIGINT) does what the export window's Cancel button does: the handler
// only calls "cancel"("context"), which must be async-signal-safe (setting a lock-free atomic
// flag, as ExportRun::RequestCancel does), and the command then ends cleanly on its own. The
// former handler is put back at destruction. One may live at a time. Not copyable.
class CancelOnInterrupt {
 public:
  using CancelFunction = void (*)(void* context) noexcept;

  CancelOnInterrupt(CancelFunction cancel, void* context);
  ~CancelOnInterrupt();
  CancelOnInterrupt(const CancelOnInterrupt&) = delete;
  CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

  // True when SIGINT arrived while this object lived.
  bool interrupted() const;
};

}  // namespace zbe::cli
