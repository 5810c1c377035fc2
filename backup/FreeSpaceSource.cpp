#include "backup/FreeSpaceSource.h"

#include <mntent.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <memory>
#include <string_view>

#include "platform/FileSystem.h"

namespace zbe {
namespace {

// File system types that never take the temporary folder.
// clang-format off
constexpr std::string_view kExcludedTypes[] = {
    // kernel interfaces
    "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts",
    "devtmpfs", "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore",
    "rpc_pipefs", "securityfs", "sysfs", "tracefs",
    // memory-backed, and read-only images
    "ramfs", "tmpfs", "squashfs", "iso9660",
    // network file systems: the folder must be local
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs", "9p",
    "fuse.sshfs", "fuse.gvfsd-fuse", "fuse.rclone"};
// clang-format on

bool IsExcludedType(std::string_view type) {
  for (std::string_view excluded : kExcludedTypes) {
    if (type == excluded) {
      return true;
    }
  }
  return false;
}

bool IsUsableMount(const mntent& entry) {
  if (IsExcludedType(entry.mnt_type) || hasmntopt(&entry, "ro") != nullptr) {
    return false;
  }
  struct statvfs info {};
  if (statvfs(entry.mnt_dir, &info) != 0 || info.f_blocks == 0 || (info.f_flag & ST_RDONLY) != 0) {
    return false;
  }
  return access(entry.mnt_dir, W_OK | X_OK) == 0;
}

}  // namespace

std::optional<uint64_t> SystemFreeSpace::FreeBytes(const std::string& path) const {
  uint64_t bytes = 0;
  if (FreeSpace(path, bytes) != 0) {
    return std::nullopt;
  }
  return bytes;
}

std::vector<std::string> SystemFreeSpace::WritableMountPoints() const {
  std::vector<std::string> points;
  std::unique_ptr<FILE, int (*)(FILE*)> table(setmntent("/proc/self/mounts", "re"), endmntent);
  if (!table) {
    return points;
  }
  mntent entry{};
  char buffer[4096];
  while (getmntent_r(table.get(), &entry, buffer, sizeof buffer) != nullptr) {
    if (IsUsableMount(entry)) {
      points.emplace_back(entry.mnt_dir);
    }
  }
  return points;
}

}  // namespace zbe
