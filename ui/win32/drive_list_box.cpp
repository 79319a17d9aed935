#include "ui/win32/drive_list_box.h"

#include "runtime/windows_text.h"
#include "ui/win32/owner_draw.h"

namespace sorvane::win32 {

// A closed drop-down list has nothing to scroll.
void DriveListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll) {
  texts_.clear();
  ::SendMessageW(comboBox_, CB_RESETCONTENT, 0, 0);
  for (const ListEntry& entry : entries) {
    texts_.push_back(WideFromUtf8(entry.text));
    ::SendMessageW(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts_.back().c_str()));
  }
  Select(selected);
}

void DriveListBox::Select(int index) noexcept {
  ::SendMessageW(comboBox_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int DriveListBox::ListIndex() const noexcept {
  return static_cast<int>(::SendMessageW(comboBox_, CB_GETCURSEL, 0, 0));
}

bool DriveListBox::IsPick(WORD notification) const noexcept {
  if (notification == CBN_SELENDOK) return true;
  return notification == CBN_SELCHANGE && !::SendMessageW(comboBox_, CB_GETDROPPEDSTATE, 0, 0);
}

void DriveListBox::Draw(const DRAWITEMSTRUCT& item) const noexcept {
  if (item.itemID >= texts_.size()) return;
  DrawEntry(item, texts_[item.itemID], 0);
}

}  // namespace sorvane::win32
