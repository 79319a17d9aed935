#pragma once
// The drives of this machine, for the drive list: each drive letter's root ("C:\"),
// with its volume label. A network drive is not asked for its label, which could take
// long.

#include "selection/mounted_drives.h"

#include <vector>

namespace sorvane::win32 {

std::vector<MountedVolume> Win32MountedVolumes();

}  // namespace sorvane::win32
