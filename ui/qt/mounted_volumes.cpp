#include "ui/qt/mounted_volumes.h"

#include "ui/qt/utf8_text.h"

#include <QStorageInfo>

namespace sorvane {

std::vector<MountedVolume> QtMountedVolumes() {
  std::vector<MountedVolume> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    volumes.push_back({Utf8Bytes(volume.rootPath()), volume.fileSystemType().toStdString(), {}});
  }
  return volumes;
}

}  // namespace sorvane
