#include "selection/mounted_drives.h"

#include "runtime/utf8_path.h"
#include "selection/shown_path.h"

#include <algorithm>
#include <array>
#include <cctype>
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

// "C:", "c:": a drive letter, which Windows takes in either case.
bool IsDriveLetter(std::string_view name) {
  return name.size() == 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
}

// The folder names of `path` from its root down, without the empty name a trailing
// separator leaves; a drive letter in upper case.
std::vector<fs::path> FolderNames(std::string_view path) {
  std::vector<fs::path> names;
  for (const fs::path& name : PathFromUtf8(path).lexically_normal()) {
    if (name.empty()) continue;
    std::string text = Utf8FromPath(name);
    if (names.empty() && IsDriveLetter(text)) {
      text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    names.push_back(PathFromUtf8(text));
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

std::vector<MountedVolume> BrowsedDrives(const std::vector<MountedVolume>& volumes,
                                         const std::string& startVolume) {
  std::vector<MountedVolume> drives;
  for (const MountedVolume& volume : volumes) {
    if (IsBrowsed(volume) || volume.rootPath == startVolume) drives.push_back(volume);
  }
  const auto isStart = [&](const MountedVolume& drive) { return drive.rootPath == startVolume; };
  if (!startVolume.empty() && std::none_of(drives.begin(), drives.end(), isStart)) {
    drives.push_back({startVolume, {}, {}});
  }
  std::stable_sort(drives.begin(), drives.end(),
                   [](const MountedVolume& a, const MountedVolume& b) { return a.rootPath < b.rootPath; });
  // A folder mounted over more than once is one drive.
  const auto sameRoot = [](const MountedVolume& a, const MountedVolume& b) { return a.rootPath == b.rootPath; };
  drives.erase(std::unique(drives.begin(), drives.end(), sameRoot), drives.end());
  return drives;
}

std::string DriveName(const MountedVolume& drive) {
  const std::string_view root = drive.rootPath;
  const bool letterRoot = IsDriveLetter(root.substr(0, 2)) &&
                          (root.size() == 2 || (root.size() == 3 && (root[2] == '\\' || root[2] == '/')));
  std::string name = letterRoot ? std::string(root.substr(0, 2)) : ShownName(root);
  if (!drive.label.empty()) name += " [" + drive.label + "]";
  return name;
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
