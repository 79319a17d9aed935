#include "ui/qt/file_list_box.h"

#include "selection/folder_listing.h"
#include "selection/shown_path.h"
#include "ui/qt/utf8_text.h"

#include <QMouseEvent>
#include <QSignalBlocker>

namespace sorvane {
namespace {

constexpr int kNameRole = Qt::UserRole;

}  // namespace

FileListBox::FileListBox(std::string pattern, const std::string& folder, QWidget* parent)
    : QListWidget(parent), pattern_(std::move(pattern)) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  SetPath(folder);
  connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::SelectionChanged);
}

bool FileListBox::SetPath(const std::string& folder) {
  const std::optional<std::vector<std::string>> names = ListMatchingFiles(folder, pattern_);
  if (!names) return false;
  // Relisting drops the selection; that is no click of the user's.
  const QSignalBlocker quiet(this);
  clear();
  for (const std::string& name : *names) {
    auto* item = new QListWidgetItem(Utf8Text(ShownName(name)), this);
    item->setData(kNameRole, QByteArray::fromStdString(name));
  }
  path_ = folder;
  return true;
}

// A click is told when the button comes up, whether or not it changed the selection;
// the selection change it makes on the way down is part of that one click.
void FileListBox::mousePressEvent(QMouseEvent* event) {
  clickOnEntry_ = event->button() == Qt::LeftButton && itemAt(event->position().toPoint());
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !clickOnEntry_) return;
  clickOnEntry_ = false;
  if (ListIndex() >= 0) emit Click();
}

void FileListBox::SelectionChanged() {
  if (!clickOnEntry_) emit Click();
}

int FileListBox::ListIndex() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

std::string FileListBox::List(int index) const {
  return item(index)->data(kNameRole).toByteArray().toStdString();
}

}  // namespace sorvane
