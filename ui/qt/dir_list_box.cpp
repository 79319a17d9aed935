#include "ui/qt/dir_list_box.h"

#include "ui/form_design.h"
#include "ui/qt/list_refill.h"
#include "ui/qt/utf8_text.h"

#include <QStyle>

namespace sorvane {
namespace {

constexpr int kEntryRole = Qt::UserRole;

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  // A screen reader still reads the hidden header's text.
  setHeaderLabel(Utf8Text(design::main_window::kDir1.accessibleName));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(design::main_window::kFolderIndentPixels);
  connect(this, &QTreeWidget::itemActivated, this, [this](const QTreeWidgetItem* item) {
    emit Open(item->data(0, kEntryRole).toInt());
  });
}

void DirListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) {
  RefillList(*this, scroll, [&] {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The last entry shown at each depth, the parent of the next one deeper.
    std::vector<QTreeWidgetItem*> parents;
    QTreeWidgetItem* current = nullptr;
    for (int index = 0; index < static_cast<int>(entries.size()); ++index) {
      const ListEntry& entry = entries[static_cast<std::size_t>(index)];
      parents.resize(static_cast<std::size_t>(entry.depth));
      auto* item = parents.empty() ? new QTreeWidgetItem(this) : new QTreeWidgetItem(parents.back());
      item->setText(0, Utf8Text(entry.text));
      item->setIcon(0, entry.open ? open : closed);
      item->setData(0, kEntryRole, index);
      parents.push_back(item);
      if (index == selected) current = item;
    }
    expandAll();
    setCurrentItem(current);
  });
}

void DirListBox::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

}  // namespace sorvane
