#pragma once

#include <string>

namespace zbe {

// Where a path really leads, for the checks that keep writes out of a backup folder and out of
// places they must not reach: one answer for the export, the print page, the decryption runner
// and the decryption tool.

// "path" made absolute (against the working folder), with its longest existing part resolved
// by realpath (links, "." and "..") and the rest appended with "." and ".." folded, without a
// trailing "/" (except "/" itself). Empty when a relative path meets no working folder.
std::string ResolvedPath(const std::string& path);

// True when "path" is "folder" or lies inside it, both resolved (ResolvedPath) and compared
// component by component, byte for byte (letter case counts, as it does in the file system).
// Also true when either cannot be resolved, so that a caller refusing to write into "folder"
// errs on the safe side.
bool PathWithin(const std::string& path, const std::string& folder);

}  // namespace zbe
