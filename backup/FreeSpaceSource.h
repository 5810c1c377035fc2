#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zbe {

// Where the choice of the temporary folder learns about volumes. The system's answer comes from
// SystemFreeSpace; tests hand in their own.
class FreeSpaceSource {
 public:
  virtual ~FreeSpaceSource() = default;

  // Bytes that the user may still write on the volume holding "path"; nothing when that cannot
  // be asked (the path does not exist, or the query fails).
  virtual std::optional<uint64_t> FreeBytes(const std::string& path) const = 0;

  // The mount points of local, writable file systems that the user may write to, in the order
  // the system lists its mounts.
  virtual std::vector<std::string> WritableMountPoints() const = 0;
};

// The running system: statvfs, and the mount table of /proc/self/mounts. Left out of the mount
// points: read-only mounts; pseudo file systems (those reporting no blocks, and kernel
// interfaces such as proc, sysfs or cgroup); memory-backed ones (tmpfs, ramfs), which a large
// decryption would fill; network file systems; and folders the user cannot write to.
class SystemFreeSpace : public FreeSpaceSource {
 public:
  std::optional<uint64_t> FreeBytes(const std::string& path) const override;
  std::vector<std::string> WritableMountPoints() const override;
};

}  // namespace zbe
