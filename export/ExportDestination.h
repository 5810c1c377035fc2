#pragma once

#include <string>

namespace zbe {

// Whether an export into "root" could write into the backup folder "backupFolder": true when
// the root is the backup folder or lies inside it, or when the backup folder lies inside one of
// the category folders that an export creates below the root ("root/Message/...", say). Both
// paths are compared in their resolved form (links and "." / ".." resolved as far as the paths
// exist; platform/ResolvedPath.h), so another spelling of the same folder is caught, and a path
// that cannot be resolved counts as touching. An empty "backupFolder" gives false.
bool ExportWouldTouchBackup(const std::string& root, const std::string& backupFolder);

}  // namespace zbe
