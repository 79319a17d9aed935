#pragma once
// Dir1: the directory list. It shows the folders from the root down to its path, each
// one step further in, and below the last one the folders inside it. Double-click or
// Enter on a folder moves the list there.

#include <QTreeWidget>

#include <string>

namespace sorvane {

class DirListBox : public QTreeWidget {
  Q_OBJECT

 public:
  DirListBox(const std::string& folder, QWidget* parent);

  const std::string& Path() const { return path_; }
  // Moves the list to the absolute `folder` and raises Change. False, with the list
  // left where it was, when the folder cannot be read.
  bool SetPath(const std::string& folder);

 signals:
  // The list moved, at the user's request or the program's.
  void Change();
  // The user asked for a folder that cannot be read; the list stayed where it was.
  void CannotOpen();

 protected:
  // Folders open by double-click or Enter, never by an expand arrow, so none is drawn.
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  bool Show(const std::string& folder);
  void OpenItem(QTreeWidgetItem* item);

  std::string path_;
};

}  // namespace sorvane
