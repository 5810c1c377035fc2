#pragma once

#include <string>

namespace zbe {

// Whether an export into "root" could write into the backup folder "backupFolder": true when
// the root is the backup folder or lies inside it, or when the backup folder lies inside one of
// the category folders that an export creates below the root ("root/Message/...", say). Both
// paths are compared in their resolved form (links and "." / ".." resolved as far as the paths
// exist), so another spelling of the same folder is caught. An empty "backupFolder" gives false.
bool ExportWouldTouchBackup(const std::string& root, const std::string& backupFolder);

// True when "path" is "folder" or lies inside it, both compared resolved (ResolvedPath).
bool PathWithin(const std::string& path, const std::string& folder);

// "path" made absolute, with its longest existing part resolved by realpath and the rest
// appended with "." and ".." folded, without a trailing "/" (except "/" itself).
std::string ResolvedPath(const std::string& path);

}  // namespace zbe
