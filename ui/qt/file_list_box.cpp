#include "ui/qt/file_list_box.h"

#include "ui/qt/list_refill.h"
#include "ui/qt/utf8_text.h"

#include <QMouseEvent>
#include <QSignalBlocker>

namespace sorvane {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (clicks_.SelectionChanged()) emit Click(ListIndex());
  });
}

void FileListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) {
  // A selection the program makes is no click of the user's.
  const QSignalBlocker quiet(this);
  RefillList(*this, scroll, [&] {
    clear();
    for (const ListEntry& entry : entries) addItem(Utf8Text(entry.text));
    setCurrentRow(selected);
  });
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  clicks_.ButtonDown(event->button() == Qt::LeftButton && itemAt(event->position().toPoint()));
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && clicks_.ButtonUp()) emit Click(ListIndex());
}

int FileListBox::ListIndex() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

}  // namespace sorvane
