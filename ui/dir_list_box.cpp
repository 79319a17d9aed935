#include "dir_list_box.h"

#include "folder_listing.h"
#include "path_text.h"

#include <QStyle>

#include <filesystem>

namespace sorvane {
namespace {

constexpr int kPathRole = Qt::UserRole;

std::string NormalFolder(const std::string& folder) {
  std::string normal = std::filesystem::path(folder).lexically_normal().string();
  // A drive root ends with a separator already; other folders are named without one.
  while (normal.size() > 1 && normal.ends_with('/')) normal.pop_back();
  return normal;
}

QTreeWidgetItem* AddFolder(QTreeWidgetItem* parentItem, QTreeWidget* list,
                           const std::string& path, const QIcon& icon) {
  const std::string name = std::filesystem::path(path).filename().string();
  auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(list);
  item->setText(0, PathText(name.empty() ? path : name));
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
  if (!Show(NormalFolder(folder))) Show("/");
  connect(this, &QTreeWidget::itemActivated, this, &DirListBox::OpenItem);
}

bool DirListBox::SetPath(const std::string& folder) {
  if (!Show(NormalFolder(folder))) return false;
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
    AddFolder(current, this, (std::filesystem::path(folder) / name).string(), closed);
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
