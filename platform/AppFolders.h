#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// The user's application-data folder: $XDG_DATA_HOME when it is set and absolute, else
// $HOME/.local/share (HOME from the environment, else from the password database). The
// environment is read at every call, so tests may point it at a temporary folder.
// On success stores the folder without a trailing "/" in "folder" and returns 0; returns ENOENT
// when no home folder can be found ("folder" is left unchanged).
int32_t AppDataFolder(std::string& folder);

// The user's configuration folder: $XDG_CONFIG_HOME when it is set and absolute, else
// $HOME/.config. Returns 0 and stores it without a trailing "/", or ENOENT without a home folder.
int32_t AppConfigFolder(std::string& folder);

// The MobileSync backup root below "appData": "<appData>/Apple Computer/MobileSync/backup/".
std::string MobileSyncRoot(const std::string& appData);

// The program's work folder below "appData": "<appData>/ZorvaneBackupExtractor/".
std::string WorkFolderIn(const std::string& appData);

// The folder that holds the running program, with a trailing "/". Empty when /proc/self/exe
// cannot be read.
std::string ProgramFolder();

}  // namespace zbe
