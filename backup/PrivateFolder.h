#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// Folders that hold decrypted copies of personal data: private to the user, and never reached
// through a link that someone else could have planted.

// Creates "folder" (and missing parents, mode 0700) and makes sure that it is a real folder
// owned by the calling user with mode 0700 (a looser mode is tightened). Returns 0; ELOOP when
// "folder" is a symbolic link; ENOTDIR when it is something else than a folder; EPERM when it
// belongs to another user; or the errno of a failed step.
int32_t EnsurePrivateFolder(const std::string& folder);

// Deletes every entry of "folder" that is not a folder (one level; links are removed, never
// followed). Errors of single deletions, and a folder that cannot be listed, are ignored.
void EmptyFolder(const std::string& folder);

}  // namespace zbe
