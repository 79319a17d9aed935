#pragma once
// Word from the system that a volume was mounted or unmounted, so that the window asks
// its logic to list the drives again. Which volumes there are is the file system's to
// tell (FileSystem::MountedVolumes), not this.

#include <QFile>
#include <QObject>

namespace sorvane {

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
