#pragma once
// The volumes Qt finds mounted, for the drive list: on Linux the mount table without
// the kernel's own file systems that hold no data. They are named by the folders they
// are mounted at, without labels. And when they change.

#include "selection/mounted_drives.h"

#include <QFile>
#include <QObject>

#include <vector>

namespace sorvane {

std::vector<MountedVolume> QtMountedVolumes();

// Raises Changed when a volume is mounted or unmounted, where the system tells (Linux's
// mount table); elsewhere never.
class MountChanges : public QObject {
  Q_OBJECT

 public:
  explicit MountChanges(QObject* parent);

 signals:
  void Changed();

 private:
  QFile mountTable_;
};

}  // namespace sorvane
