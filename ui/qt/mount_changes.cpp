#include "ui/qt/mount_changes.h"

#include <QSocketNotifier>

namespace sorvane {

// Linux marks its mount table as having an exception (POLLPRI) each time it changes,
// until the table is polled again.
MountChanges::MountChanges(QObject* parent) : QObject(parent), mountTable_(QStringLiteral("/proc/self/mounts")) {
  if (!mountTable_.open(QIODevice::ReadOnly)) return;
  auto* notifier = new QSocketNotifier(mountTable_.handle(), QSocketNotifier::Exception, this);
  connect(notifier, &QSocketNotifier::activated, this, &MountChanges::Changed);
}

}  // namespace sorvane
