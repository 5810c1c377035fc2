#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/UniqueFd.h"

namespace zbe {

// Creating and writing the files of an export. Every writer creates its file's folder first,
// so that a writer can be called for any path below the destination root.

// Opens "path" for writing, creating it (mode 0644 before the umask) or truncating it, and its
// folder with the missing parents when that is not there yet. Returns 0 and stores the descriptor
// in "fd", or returns the errno of the failing step ("fd" is left unchanged).
int32_t CreateOutputFile(const std::string& path, UniqueFd& fd);

// Creates "path" as CreateOutputFile does and writes the pieces one after the other as raw
// bytes (the HTML files: template head, fragments, template tail). Returns 0 or the errno of the
// failing create, write or close; a file that was created stays, possibly incomplete, after a
// write failure.
int32_t WriteOutputFile(const std::string& path, std::initializer_list<std::string_view> pieces);

}  // namespace zbe
