#include "ui/qt/mounted_volumes.h"

#include "ui/qt/utf8_text.h"

#include <QSocketNotifier>
#include <QStorageInfo>

namespace sorvane {

std::vector<MountedVolume> QtMountedVolumes() {
  std::vector<MountedVolume> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    volumes.push_back({Utf8Bytes(volume.rootPath()), volume.fileSystemType().toStdString(), {}});
  }
  return volumes;
}

// Linux marks its mount table as having an exception (POLLPRI) each time it changes,
// until the table is polled again.
MountChanges::MountChanges(QObject* parent) : QObject(parent), mountTable_(QStringLiteral("/proc/self/mounts")) {
  if (!mountTable_.open(QIODevice::ReadOnly)) return;
  auto* notifier = new QSocketNotifier(mountTable_.handle(), QSocketNotifier::Exception, this);
  connect(notifier, &QSocketNotifier::activated, this, &MountChanges::Changed);
}

}  // namespace sorvane
