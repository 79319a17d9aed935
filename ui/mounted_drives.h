#pragma once
// The drives of the drive list: the mounted volumes a person browses. On Linux these
// are the root, home volumes and removable media; kernel and memory file systems
// (/proc, /sys, /dev, tmpfs, cgroups ...) are not drives.

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The drives named in a mount table in the format of /proc/self/mounts ("source
// mount-point type options ..." a line, with "\040" for a space), sorted, "/" first.
// The volume that holds `currentFolder` is always a drive, so the list can show where
// the program was started.
std::vector<std::string> DrivesInMountTable(std::string_view mountTable,
                                            std::string_view currentFolder);

// The drives of this machine, from /proc/self/mounts; just "/" when it cannot be read.
std::vector<std::string> MountedDrives(std::string_view currentFolder);

// The drive of `drives` that holds `path`: the longest one that is `path` or one of
// its parent folders. "/" when none is.
std::string DriveOf(std::string_view path, const std::vector<std::string>& drives);

}  // namespace sorvane
