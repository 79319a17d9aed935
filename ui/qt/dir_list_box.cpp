#include "ui/qt/dir_list_box.h"

#include "runtime/utf8_path.h"
#include "selection/folder_listing.h"
#include "selection/shown_path.h"
#include "ui/qt/utf8_text.h"

#include <QStyle>

#include <filesystem>

namespace sorvane {
namespace {

constexpr int kPathRole = Qt::UserRole;

std::filesystem::path NormalFolder(const std::string& folder) {
  std::filesystem::path normal = PathFromUtf8(folder).lexically_normal();
  // A root ("/", "C:/") keeps its separator; other folders are named without one.
  if (normal != normal.root_path() && !normal.has_filename()) normal = normal.parent_path();
  return normal;
}

QTreeWidgetItem* AddFolder(QTreeWidgetItem* parentItem, QTreeWidget* list,
                           const std::string& path, const QIcon& icon) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(list);
  item->setText(0, Utf8Text(ShownName(name.empty() ? path : name)));
  item->setIcon(0, icon);
  item->setData(0, kPathRole, QByteArray::fromStdString(path));
  return item;
}

}  // namespace

DirListBox::DirListBox(const std::string& folder, QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(10);
  const std::filesystem::path start = NormalFolder(folder);
  if (!Show(Utf8FromPath(start))) Show(Utf8FromPath(start.root_path()));
  connect(this, &QTreeWidget::itemActivated, this, &DirListBox::OpenItem);
}

bool DirListBox::SetPath(const std::string& folder) {
  if (!Show(Utf8FromPath(NormalFolder(folder)))) return false;
  emit Change();
  return true;
}

bool DirListBox::Show(const std::string& folder) {
  const std::optional<std::vector<std::string>> subfolders = ListSubfolders(folder);
  if (!subfolders) return false;
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QTreeWidgetItem* current = nullptr;
  for (const std::string& step : FolderChain(folder)) {
    current = AddFolder(current, this, step, open);
  }
  for (const std::string& name : *subfolders) {
    AddFolder(current, this, Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(name)), closed);
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current);
  path_ = folder;
  return true;
}

void DirListBox::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

void DirListBox::OpenItem(QTreeWidgetItem* item) {
  if (!SetPath(item->data(0, kPathRole).toByteArray().toStdString())) emit CannotOpen();
}

}  // namespace sorvane
