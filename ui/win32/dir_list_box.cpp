#include "ui/win32/dir_list_box.h"

#include "runtime/windows_text.h"
#include "ui/form_design.h"
#include "ui/win32/list_refill.h"
#include "ui/win32/owner_draw.h"

#include <string>

namespace sorvane::win32 {

void DirListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) {
  entries_.clear();
  std::vector<std::wstring> texts;
  for (const ListEntry& entry : entries) {
    entries_.push_back({WideFromUtf8(entry.text), entry.depth});
    texts.push_back(entries_.back().text);
  }
  ReplaceListEntries(listBox_, texts, selected, scroll);
}

int DirListBox::ListIndex() const noexcept {
  return static_cast<int>(::SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

void DirListBox::Draw(const DRAWITEMSTRUCT& item) const noexcept {
  if (item.itemID >= entries_.size()) return;
  const Entry& entry = entries_[item.itemID];
  DrawEntry(item, entry.text, design::main_window::kFolderIndentPixels * entry.depth);
}

}  // namespace sorvane::win32
