#include "ui/win32/dir_list_box.h"

#include "runtime/utf8_path.h"
#include "selection/folder_listing.h"
#include "ui/win32/win32_design.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sorvane::win32 {
namespace {

// Each level of the tree further in, at 96 dpi.
constexpr int kIndentPixels = 10;

std::filesystem::path NormalFolder(const std::string& folder) {
  std::filesystem::path normal = PathFromUtf8(folder).make_preferred().lexically_normal();
  // A root ("C:\") keeps its separator; other folders are named without one.
  if (normal != normal.root_path() && !normal.has_filename()) normal = normal.parent_path();
  return normal;
}

std::string EntryText(const std::string& path) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  return name.empty() ? path : name;
}

}  // namespace

DirListBox::DirListBox(HWND listBox, const std::string& folder) : listBox_(listBox) {
  const std::filesystem::path start = NormalFolder(folder);
  if (!SetPath(Utf8FromPath(start))) static_cast<void>(SetPath(Utf8FromPath(start.root_path())));
}

bool DirListBox::SetPath(const std::string& requested) {
  const std::string folder = Utf8FromPath(NormalFolder(requested));
  const std::optional<std::vector<std::string>> subfolders = ListSubfolders(folder);
  if (!subfolders) return false;
  entries_.clear();
  int depth = 0;
  for (const std::string& step : FolderChain(folder)) entries_.push_back({step, depth++});
  const std::size_t current = entries_.size() - 1;
  for (const std::string& name : *subfolders) {
    entries_.push_back({Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(name)), depth});
  }
  std::vector<std::wstring> texts;
  for (const Entry& entry : entries_) texts.push_back(Wide(EntryText(entry.path)));
  ReplaceListEntries(listBox_, texts);
  ::SendMessageW(listBox_, LB_SETCURSEL, current, 0);
  path_ = folder;
  return true;
}

std::optional<std::string> DirListBox::SelectedFolder() const {
  const LRESULT index = ::SendMessageW(listBox_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return std::nullopt;
  return entries_[static_cast<std::size_t>(index)].path;
}

void DirListBox::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID >= entries_.size()) return;
  const Entry& entry = entries_[item.itemID];
  DrawEntry(item, Wide(EntryText(entry.path)), kIndentPixels * entry.depth);
}

}  // namespace sorvane::win32
