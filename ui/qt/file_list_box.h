#pragma once
// Fil1: the list of the point files in the folder shown. Each click on an entry, the
// selected one too, raises Click once, and so does each selection made with the
// keyboard (FileListClicks).

#include "selection/file_list_clicks.h"
#include "selection/main_window_view.h"

#include <QListWidget>

#include <vector>

namespace sorvane {

class FileListBox : public QListWidget, public ListView {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent);

  // Raises no Click.
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;
  // The selected entry's index from 0, or -1 when none is selected.
  int ListIndex() const;

 signals:
  void Click(int index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  FileListClicks clicks_;
};

}  // namespace sorvane
