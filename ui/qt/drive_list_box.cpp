#include "ui/qt/drive_list_box.h"

#include "selection/mounted_drives.h"
#include "selection/shown_path.h"
#include "ui/qt/utf8_text.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace sorvane {
namespace {

// What Qt finds mounted: on Linux the mount table without the kernel's own file systems
// that hold no data, on Windows the drive letters.
std::vector<MountedVolume> MountedVolumes() {
  std::vector<MountedVolume> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    volumes.push_back({Utf8Bytes(volume.rootPath()), volume.fileSystemType().toStdString()});
  }
  return volumes;
}

// The root of the volume that holds `folder`; empty when Qt cannot tell.
std::string VolumeHolding(const std::string& folder) {
  const QStorageInfo volume(Utf8Text(folder));
  return volume.isValid() ? Utf8Bytes(volume.rootPath()) : std::string();
}

}  // namespace

DriveListBox::DriveListBox(const std::string& currentFolder, QWidget* parent)
    : QComboBox(parent) {
  SetDrives(BrowsedDrives(MountedVolumes(), VolumeHolding(currentFolder)), currentFolder);
  // Every pick counts, the drive already shown too: it takes the lists to that drive.
  connect(this, &QComboBox::activated, this, &DriveListBox::Change);
}

void DriveListBox::SetDrives(const std::vector<std::string>& drives, const std::string& folder) {
  clear();
  drives_ = drives;
  for (const std::string& drive : drives_) addItem(QDir::toNativeSeparators(Utf8Text(ShownName(drive))));
  ShowDriveOf(folder);
}

std::string DriveListBox::Drive() const {
  const int index = currentIndex();
  return index < 0 ? std::string() : drives_[static_cast<std::size_t>(index)];
}

void DriveListBox::ShowDriveOf(const std::string& folder) {
  const auto found = std::find(drives_.begin(), drives_.end(), DriveOf(folder, drives_));
  setCurrentIndex(found == drives_.end() ? -1 : static_cast<int>(found - drives_.begin()));
}

}  // namespace sorvane
