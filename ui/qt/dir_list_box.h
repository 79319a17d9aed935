#pragma once
// Dir1: the directory list, drawn as a tree: the folders from the root down to the one
// listed, each one step further in and shown open, and below the last one the folders
// inside it. Double-click or Enter on a folder asks to open it.

#include "selection/main_window_view.h"

#include <QTreeWidget>

#include <vector>

namespace sorvane {

class DirListBox : public QTreeWidget, public ListView {
  Q_OBJECT

 public:
  explicit DirListBox(QWidget* parent);

  // Raises no Open.
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;

 signals:
  // The user asked to open entry `index`.
  void Open(int index);

 protected:
  // Folders open by double-click or Enter, never by an expand arrow, so none is drawn.
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
};

}  // namespace sorvane
