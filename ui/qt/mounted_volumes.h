#pragma once
// The volumes Qt finds mounted, for the drive list: on Linux the mount table without
// the kernel's own file systems that hold no data. They are named by the folders they
// are mounted at, without labels.

#include "selection/mounted_drives.h"

#include <vector>

namespace sorvane {

std::vector<MountedVolume> QtMountedVolumes();

}  // namespace sorvane
