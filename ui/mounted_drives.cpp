#include "mounted_drives.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace sorvane {
namespace {

constexpr std::array<std::string_view, 4> kVolumeFolders = {"/home", "/media", "/mnt",
                                                            "/run/media"};

constexpr std::array<std::string_view, 25> kPseudoFileSystems = {
    "autofs",     "binfmt_misc", "bpf",        "cgroup",          "cgroup2",
    "configfs",   "debugfs",     "devpts",     "devtmpfs",        "efivarfs",
    "fusectl",    "fuse.portal", "hugetlbfs",  "fuse.gvfsd-fuse", "mqueue",
    "nsfs",       "proc",        "pstore",     "ramfs",           "rpc_pipefs",
    "securityfs", "selinuxfs",   "sysfs",      "tmpfs",           "tracefs"};

// The mount table writes space, tab, newline and backslash as "\" and three octal digits.
std::string DecodeMountField(std::string_view field) {
  std::string decoded;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                       std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                   field.begin() + static_cast<std::ptrdiff_t>(i) + 4,
                                   [](char c) { return c >= '0' && c <= '7'; });
    if (octal) {
      decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                   (field[i + 3] - '0'));
      i += 3;
    } else {
      decoded += field[i];
    }
  }
  return decoded;
}

bool IsInside(std::string_view path, std::string_view folder) {
  if (folder == "/") return path.starts_with('/');
  return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsBrowsedVolume(std::string_view mountPoint, std::string_view type) {
  if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), type) !=
      kPseudoFileSystems.end()) {
    return false;
  }
  if (mountPoint == "/") return true;
  return std::any_of(kVolumeFolders.begin(), kVolumeFolders.end(),
                     [&](std::string_view folder) { return IsInside(mountPoint, folder); });
}

}  // namespace

std::vector<std::string> DrivesInMountTable(std::string_view mountTable,
                                            std::string_view currentFolder) {
  std::vector<std::string> mountPoints{"/"};
  std::vector<std::string> drives{"/"};
  std::istringstream lines{std::string(mountTable)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string source, mountPoint, type;
    if (!(fields >> source >> mountPoint >> type)) continue;
    mountPoint = DecodeMountField(mountPoint);
    mountPoints.push_back(mountPoint);
    if (IsBrowsedVolume(mountPoint, type)) drives.push_back(mountPoint);
  }
  drives.push_back(DriveOf(currentFolder, mountPoints));
  // "/" sorts first of all absolute paths.
  std::sort(drives.begin(), drives.end());
  drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
  return drives;
}

std::vector<std::string> MountedDrives(std::string_view currentFolder) {
  std::ifstream table("/proc/self/mounts");
  std::ostringstream text;
  text << table.rdbuf();
  return DrivesInMountTable(text.str(), currentFolder);
}

std::string DriveOf(std::string_view path, const std::vector<std::string>& drives) {
  std::string_view best = "/";
  for (const std::string& drive : drives) {
    if (drive.size() > best.size() && IsInside(path, drive)) best = drive;
  }
  return std::string(best);
}

}  // namespace sorvane
