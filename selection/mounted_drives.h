#pragma once
// The drives of the drive list: the mounted volumes a person browses. A volume mounted
// at a root ("/", and every drive letter on Windows) is a drive; on Linux so are the
// home volumes and removable media, while kernel and memory file systems (/proc, /sys,
// tmpfs, cgroups ...) are not. Paths are UTF-8; the volumes are the file system's
// (FileSystem::MountedVolumes).

#include "runtime/file_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The drives among `volumes`, sorted by root, so a root comes before the volumes mounted
// in it. `startVolume`, the root of the volume holding the folder the program started
// in, is always a drive, so the list can show where the program was started; it is
// left out when empty (not known).
std::vector<MountedVolume> BrowsedDrives(const std::vector<MountedVolume>& volumes,
                                         const std::string& startVolume);

// How the drive list names `drive`: a drive letter as Windows users know it ("C:"), any
// other volume by the folder it is mounted at, then its label in brackets when it has
// one ("C: [Windows]").
std::string DriveName(const MountedVolume& drive);

// The drive of `drives` that holds `path`: the deepest one that is `path` or one of
// its parent folders, comparing whole folder names, and a drive letter in either case
// ("c:\data" is on "C:\"). Empty when none is.
std::string DriveOf(std::string_view path, const std::vector<std::string>& drives);

}  // namespace sorvane
