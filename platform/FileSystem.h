#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UniqueFd.h"

namespace zbe {

// File and folder operations of the core. Paths are UTF-8 with "/" separators. Functions that
// can fail return 0 or the errno value of the failure.

// "folder" and "name" joined by one "/" (none is added when "folder" is empty or ends in "/").
std::string JoinPath(const std::string& folder, const std::string& name);

// The part of "path" before its last "/" (without that "/"); "/" for a file at the root and ""
// when the path has no "/".
std::string ParentFolder(const std::string& path);

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a folder, or a link to one
};

// Lists the entries of "folder" (one level, without "." and ".."), sorted by name with the
// ASCII-case-insensitive order and then by bytes, so that results do not depend on the order in
// which the file system happens to hand them out. Returns 0 or the errno of opening the folder.
int32_t ListFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries);

// Creates "folder" and every missing parent with "mode" (before the umask). Returns 0 when the
// folder exists afterwards, else the errno of the failing step (ENOTDIR when a part is a file).
int32_t CreateFolders(const std::string& folder, mode_t mode = 0755);

// Opens the regular file at "path" (links followed) for reading, and nothing else: a FIFO, a
// socket, a device or a folder standing where a file of a backup should be is refused without a
// byte read and without waiting (opening a FIFO for reading waits for a writer, possibly for
// ever). Every read of a backup's databases, manifests and property lists goes through here.
// Returns 0 and sets "fd"; EISDIR for a folder; EINVAL for a FIFO, device or other non-regular
// file; otherwise the errno of open (ENOENT, EACCES, ELOOP for a link loop, ENXIO for a socket).
int32_t OpenRegularFile(const std::string& path, UniqueFd& fd);

bool PathExists(const std::string& path);     // anything, links followed
bool IsFolder(const std::string& path);       // a folder, links followed
bool IsRegularFile(const std::string& path);  // a regular file, links followed

// Size in bytes of the file at "path", or nothing when it cannot be examined.
std::optional<uint64_t> FileSize(const std::string& path);

// Copies the bytes of "source" to "destination", replacing an existing destination (created
// with mode 0644 before the umask when new). A destination left incomplete by a failure is
// removed. Returns 0 or the errno of the failing step (EINVAL, and nothing changed, when both
// name the same file).
int32_t CopyFileBytes(const std::string& source, const std::string& destination);

// Writes all of "bytes" to "fd", resuming after short writes and interruptions. Returns 0 or the
// errno of the failed write.
int32_t WriteAllBytes(int fd, std::string_view bytes);

// Removes the file (or empty folder) at "path". Returns 0, or the errno (ENOENT when it did not
// exist).
int32_t RemovePath(const std::string& path);

// Bytes that the calling user may still write on the file system holding "path". Returns 0 and
// stores them, or returns the errno of statvfs.
int32_t FreeSpace(const std::string& path, uint64_t& bytes);

}  // namespace zbe
