#pragma once
// Fil1: the list of the files in one folder whose names match a pattern. Each click on
// an entry, the selected one too, raises Click once, and so does each selection made
// with the keyboard.

#include <QListWidget>

#include <string>

namespace sorvane {

class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  FileListBox(std::string pattern, const std::string& folder, QWidget* parent);

  const std::string& Path() const { return path_; }
  // Relists for `folder`. False, with the list left as it was, when the folder cannot
  // be read.
  bool SetPath(const std::string& folder);
  // The selected entry's index from 0, or -1 when none is selected.
  int ListIndex() const;
  // The file name of entry `index`.
  std::string List(int index) const;

 signals:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SelectionChanged();

  std::string pattern_;
  std::string path_;
  bool clickOnEntry_ = false;
};

}  // namespace sorvane
