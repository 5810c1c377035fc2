// UIApplication: the toolkit's process-wide state. One object per process, made on the main
// thread before any window and destroyed after the last one: it starts the platform's
// application object, holds the skin (the embedded archive, or the "Skins/" folder beside the
// program when present), the decoded image cache and the parsed layouts, the timer scheduler,
// and the system services (folder picker, shell open, message box, printing).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/SystemServices.h"
#include "ui/UIDefs.h"

namespace pugi {
class xml_document;
}

namespace zbe {

class CPaintManagerUI;
class CControlUI;
class CWindowWnd;
class ISkinSource;
struct UIImageData;

class UIApplication {
 public:
  // Starts the toolkit. "argc" and "argv" must outlive the object (the platform keeps them).
  UIApplication(int& argc, char** argv);
  ~UIApplication();
  UIApplication(const UIApplication&) = delete;
  UIApplication& operator=(const UIApplication&) = delete;

  // The one instance, or null before it is made and after it is destroyed.
  static UIApplication* Instance();

  // Runs the message loop until Quit; returns Quit's code. After a Quit outside the loop, returns
  // that Quit's code at once.
  int Run();
  // Ends Run with "code"; asked outside Run, makes the next Run return at once.
  void Quit(int code = 0);
  // Delivers what is waiting (posted messages, paints, timers that are due) and returns.
  void ProcessEvents();

  // --- the skin -------------------------------------------------------------------------------
  // The skin archive embedded in the program; "zip" must stay valid for the life of the
  // process. Returns 0, or 22 when the bytes are not a zip archive (the previous skin stays).
  int32_t SetResourceZip(std::span<const unsigned char> zip);
  // The program folder (with a trailing "/"); by default the folder of the running program.
  void SetProgramFolder(const std::string& folder);
  const std::string& GetProgramFolder() const;
  // Name of the folder beside the program that, when present, is read instead of the archive;
  // "Skins/" by default.
  void SetSkinFolderName(const std::string& name);
  // True when files come from the skin folder rather than the archive.
  bool IsUsingSkinFolder() const;
  // Reads skin file "name" ("\" read as "/", any letter case). Returns 0, kUIFileMissing (87) when
  // there is no such file (or no skin at all), or 5 when it cannot be read.
  int32_t ReadSkinFile(const std::string& name, std::vector<uint8_t>* out) const;
  // The parsed layout "name", cached for the life of the skin; null when it cannot be read or
  // parsed ("*error" then says why).
  const pugi::xml_document* GetLayout(const std::string& name, std::string* error);
  // The decoded skin image "file" with colour "mask" made transparent, cached; null when it
  // cannot be read or decoded (reported once on stderr).
  const UIImageData* GetImage(const std::string& file, UIColor mask = 0);
  // Forgets cached images and layouts (after the skin changed).
  void ClearCaches();

  // --- system services -------------------------------------------------------------------------
  ISystemServicesUI& Services();
  // Replaces the services (tests put in ones that never open a dialog).
  void SetServices(std::unique_ptr<ISystemServicesUI> services);

  // --- time and timers -----------------------------------------------------------------------
  // Milliseconds on the toolkit's clock.
  uint64_t NowMs() const;
  // With a manual clock, timers fire only from AdvanceClock (tests and renderings stay
  // reproducible).
  void SetManualClock(bool manual);
  bool IsManualClock() const;
  // Moves the manual clock on by "ms", firing every timer that falls due, in time order.
  void AdvanceClock(int ms);
  bool SetTimer(CPaintManagerUI* manager, CControlUI* control, int id, int elapseMs);
  void KillTimer(CPaintManagerUI* manager, CControlUI* control, int id);
  // Kills every timer of "control", or every timer of "manager" when "control" is null.
  void KillTimers(CPaintManagerUI* manager, CControlUI* control);
  // Kills the timers of every control for which "inSubtree" answers true.
  void KillTimersWhere(CPaintManagerUI* manager, const std::function<bool(CControlUI*)>& inSubtree);
  bool HasTimer(const CControlUI* control, int id) const;

  // Runs "observer" with every window that starts a modal run, once the window shows (the call
  // is posted, so it runs inside the modal loop). Tests answer dialogs and menus with it; an
  // empty function removes it.
  void SetModalObserver(std::function<void(CWindowWnd&)> observer);
  const std::function<void(CWindowWnd&)>& GetModalObserver() const;

  // --- diagnostics -----------------------------------------------------------------------------
  // Writes "message" to stderr the first time "key" is reported in this process.
  void ReportOnce(const std::string& key, const std::string& message);

  // Attribute lists marked shared="true" in a layout, used by every window.
  void AddSharedDefault(const std::string& className, const std::string& list);
  const std::string* GetSharedDefault(const std::string& className) const;
  void AddSharedStyle(const std::string& name, const std::string& list);
  const std::string* GetSharedStyle(const std::string& name) const;

  struct Impl;
  Impl& GetImpl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace zbe
