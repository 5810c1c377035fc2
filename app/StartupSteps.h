// The steps of start-up and shut-down that do not concern a window: the image component's
// registration, the "viewInstall" folder, and the clean-up of the preview copies and of the
// players this process started.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace zbe {

// The image component beside the program.
inline constexpr char kImageComponentFile[] = "libImageOleCtrl.so";

// Results of RegisterImageComponent.
enum class ComponentResult {
  kRegistered,   // loaded, "DllRegisterServer" called (its own result is not looked at)
  kNotLoadable,  // the library is missing or cannot be loaded
  kNoEntry,      // it has no "DllRegisterServer"
};

// Loads "<programFolder>libImageOleCtrl.so", calls its "DllRegisterServer" and unloads it.
ComponentResult RegisterImageComponent(const std::string& programFolder);

// Creates "<appdata>/ZorvaneBackupExtractor/viewInstall/" with missing parents when it does not
// exist. Returns 0, or the errno of the failing step (ENOENT without an application-data folder).
int32_t EnsureViewInstallFolder();

// Deletes the preview copies "tmp.jpg", "tmp.wav" and "tmp.avi" of the work folder; errors are
// ignored.
void DeletePreviewCopies();

// The media players this process started, so that shut-down ends them (and nothing else).
// Thread-safe.
void RememberStartedPlayer(pid_t pid);
// Ends every remembered player that still runs (SIGTERM) and forgets them all.
void EndStartedPlayers();

}  // namespace zbe
