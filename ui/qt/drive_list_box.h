#pragma once
// Drv1: the drop-down list of drives. Every pick raises Qt's activated, the drive
// already shown included: it takes the lists to that drive.

#include "selection/main_window_view.h"

#include <QComboBox>

#include <vector>

namespace sorvane {

class DriveListBox : public QComboBox, public ListView {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent) : QComboBox(parent) {}

  // A closed drop-down list has nothing to scroll.
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;
};

}  // namespace sorvane
