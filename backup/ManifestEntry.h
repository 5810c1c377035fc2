#pragma once

#include <string>

namespace zbe {

// One file listed in a backup's manifest. A copyable value.
struct ManifestEntry {
  std::string path;    // domain, "-", path relative to the domain (only the domain when the
                       // relative path is absent); the manifest's bytes unchanged
  std::string fileID;  // 40 lower-case hexadecimal characters: the stored file's name
};

}  // namespace zbe
