#include "drive_list_box.h"

#include "mounted_drives.h"
#include "utf8_text.h"

#include <QSignalBlocker>

#include <algorithm>

namespace sorvane {

DriveListBox::DriveListBox(const std::string& currentFolder, QWidget* parent)
    : QComboBox(parent) {
  SetDrives(MountedDrives(currentFolder), currentFolder);
  connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::Change);
}

void DriveListBox::SetDrives(const std::vector<std::string>& drives, const std::string& folder) {
  const QSignalBlocker quiet(this);
  clear();
  drives_ = drives;
  for (const std::string& drive : drives_) addItem(Utf8Text(drive));
  ShowDriveOf(folder);
}

std::string DriveListBox::Drive() const {
  const int index = currentIndex();
  return index < 0 ? std::string() : drives_[static_cast<std::size_t>(index)];
}

void DriveListBox::ShowDriveOf(const std::string& folder) {
  const QSignalBlocker quiet(this);
  const auto found = std::find(drives_.begin(), drives_.end(), DriveOf(folder, drives_));
  setCurrentIndex(found == drives_.end() ? -1 : static_cast<int>(found - drives_.begin()));
}

}  // namespace sorvane
