#pragma once

#include <sys/stat.h>

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

// How CreateFolders applies its mode to the folders it creates.
enum class FolderMode {
  kUmask,  // "mode" before the umask, as for the user's own files
  kExact,  // exactly "mode", whatever the umask (folders that others must or must not reach)
};

// Creates "folder" and every missing parent with "mode" (see FolderMode; folders that exist are
// left as they are). Returns 0 when the folder exists afterwards, else the errno of the failing
// step (ENOTDIR when a part is a file).
int32_t CreateFolders(const std::string& folder, mode_t mode = 0755,
                      FolderMode rule = FolderMode::kUmask);

// Opens the regular file at "path" (links followed) for reading, and nothing else: a FIFO, a
// socket, a device or a folder standing where a file of a backup should be is refused without a
// byte read and without waiting (opening a FIFO for reading waits for a writer, possibly for
// ever). Every read of a backup's databases, manifests and property lists goes through here.
// Returns 0 and sets "fd"; EISDIR for a folder; EINVAL for a FIFO, device or other non-regular
// file; otherwise the errno of open (ENOENT, EACCES, ELOOP for a link loop, ENXIO for a socket).
int32_t OpenRegularFile(const std::string& path, UniqueFd& fd);
// The same, and "info" receives what fstat says of the opened file.
int32_t OpenRegularFile(const std::string& path, UniqueFd& fd, struct stat& info);

bool PathExists(const std::string& path);     // anything, links followed
bool IsFolder(const std::string& path);       // a folder, links followed
bool IsRegularFile(const std::string& path);  // a regular file, links followed

// Size in bytes of the file at "path", or nothing when it cannot be examined.
std::optional<uint64_t> FileSize(const std::string& path);

// Copies the bytes of "source" to "destination", replacing an existing destination (created
// with "mode" before the umask when new). A destination left incomplete by a failure is
// removed. Returns 0 or the errno of the failing step (EINVAL, and nothing changed, when both
// name the same file).
int32_t CopyFileBytes(const std::string& source, const std::string& destination,
                      mode_t mode = 0644);

// Writes all of "bytes" to "fd", resuming after short writes and interruptions. Returns 0 or the
// errno of the failed write.
int32_t WriteAllBytes(int fd, std::string_view bytes);

// Creates "path" (or empties an existing file) for writing into "fd" and gives it exactly
// "mode". A symbolic link at "path" is refused (ELOOP), so output cannot be redirected
// elsewhere. Returns 0 or the errno.
int32_t CreateForWriting(const std::string& path, mode_t mode, UniqueFd& fd);

// Reads from "fd" until "size" bytes are in "buffer" or the file ends, resuming after
// interruptions; "got" is the number of bytes read. Returns 0 or the errno of the failed read.
int32_t ReadUpTo(int fd, void* buffer, size_t size, size_t& got);

// Reads the whole regular file "path" of at most "maxSize" bytes into "data", opened as
// OpenRegularFile does (nothing else is read or waited for). Returns 0, EISDIR for a folder,
// EINVAL for another file that is not a regular one, EFBIG when it is larger, or the errno of
// opening or reading it.
int32_t ReadFileBytes(const std::string& path, size_t maxSize, std::string& data);

// Writes "data" as the whole of "path" (CreateForWriting with "mode"). A partial file is removed
// on failure. Returns 0 or the errno.
int32_t WriteFileBytes(const std::string& path, std::string_view data, mode_t mode);

// Removes the file (or empty folder) at "path". Returns 0, or the errno (ENOENT when it did not
// exist).
int32_t RemovePath(const std::string& path);

// Bytes that the calling user may still write on the file system holding "path". Returns 0 and
// stores them, or returns the errno of statvfs.
int32_t FreeSpace(const std::string& path, uint64_t& bytes);

}  // namespace zbe
