#pragma once
// Drv1: the drop-down list of drives. A drive is the root path of a mounted volume,
// which the directory list takes as its path.

#include <QComboBox>

#include <string>
#include <vector>

namespace sorvane {

class DriveListBox : public QComboBox {
  Q_OBJECT

 public:
  // Lists this machine's drives, as Qt finds them mounted, with the one holding
  // `currentFolder` selected.
  DriveListBox(const std::string& currentFolder, QWidget* parent);

  // Replaces the drives and selects the one holding `folder`, raising no Change.
  void SetDrives(const std::vector<std::string>& drives, const std::string& folder);
  std::string Drive() const;
  // Selects the drive holding `folder`, raising no Change.
  void ShowDriveOf(const std::string& folder);

 signals:
  // The user picked a drive, the one already shown included.
  void Change();

 private:
  std::vector<std::string> drives_;
};

}  // namespace sorvane
