#include "selection/mounted_drives.h"

#include "runtime/utf8_path.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 4> kVolumeFolders = {"/home", "/media", "/mnt",
                                                            "/run/media"};

constexpr std::array<std::string_view, 25> kPseudoFileSystems = {
    "autofs",     "binfmt_misc", "bpf",        "cgroup",          "cgroup2",
    "configfs",   "debugfs",     "devpts",     "devtmpfs",        "efivarfs",
    "fusectl",    "fuse.portal", "hugetlbfs",  "fuse.gvfsd-fuse", "mqueue",
    "nsfs",       "proc",        "pstore",     "ramfs",           "rpc_pipefs",
    "securityfs", "selinuxfs",   "sysfs",      "tmpfs",           "tracefs"};

// The folder names of `path` from its root down, without the empty name a trailing
// separator leaves.
std::vector<fs::path> FolderNames(std::string_view path) {
  std::vector<fs::path> names;
  for (const fs::path& name : PathFromUtf8(path).lexically_normal()) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

bool Holds(const std::vector<fs::path>& folder, const std::vector<fs::path>& path) {
  return folder.size() <= path.size() && std::equal(folder.begin(), folder.end(), path.begin());
}

bool IsBrowsed(const MountedVolume& volume) {
  const fs::path root = PathFromUtf8(volume.rootPath);
  if (root.has_root_path() && !root.has_relative_path()) return true;
  if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), volume.fileSystemType) !=
      kPseudoFileSystems.end()) {
    return false;
  }
  const std::vector<fs::path> mountPoint = FolderNames(volume.rootPath);
  return std::any_of(kVolumeFolders.begin(), kVolumeFolders.end(), [&](std::string_view folder) {
    return Holds(FolderNames(folder), mountPoint);
  });
}

}  // namespace

std::vector<std::string> BrowsedDrives(const std::vector<MountedVolume>& volumes,
                                       const std::string& startVolume) {
  std::vector<std::string> drives;
  for (const MountedVolume& volume : volumes) {
    if (IsBrowsed(volume)) drives.push_back(volume.rootPath);
  }
  if (!startVolume.empty()) drives.push_back(startVolume);
  std::sort(drives.begin(), drives.end());
  drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
  return drives;
}

std::string DriveOf(std::string_view path, const std::vector<std::string>& drives) {
  const std::vector<fs::path> folders = FolderNames(path);
  std::string best;
  std::size_t bestDepth = 0;
  for (const std::string& drive : drives) {
    const std::vector<fs::path> driveFolders = FolderNames(drive);
    if (driveFolders.size() > bestDepth && Holds(driveFolders, folders)) {
      best = drive;
      bestDepth = driveFolders.size();
    }
  }
  return best;
}

}  // namespace sorvane
