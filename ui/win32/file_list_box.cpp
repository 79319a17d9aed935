#include "ui/win32/file_list_box.h"

#include "selection/folder_listing.h"
#include "selection/shown_path.h"
#include "ui/win32/win32_design.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace sorvane::win32 {

FileListBox::FileListBox(HWND listBox, std::string pattern, const std::string& folder,
                         std::function<void()> click)
    : listBox_(listBox), pattern_(std::move(pattern)), click_(std::move(click)) {
  static_cast<void>(SetPath(folder));
  ::SetWindowSubclass(listBox_, ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

FileListBox::~FileListBox() { ::RemoveWindowSubclass(listBox_, ListProc, 0); }

bool FileListBox::SetPath(const std::string& folder) {
  std::optional<std::vector<std::string>> names = ListMatchingFiles(folder, pattern_);
  if (!names) return false;
  names_ = std::move(*names);
  std::vector<std::wstring> texts;
  for (const std::string& name : names_) texts.push_back(Wide(ShownName(name)));
  // Relisting drops the selection; the list raises no notification for it.
  ReplaceListEntries(listBox_, texts);
  path_ = folder;
  return true;
}

int FileListBox::ListIndex() const {
  return static_cast<int>(::SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

const std::string& FileListBox::List(int index) const {
  return names_.at(static_cast<std::size_t>(index));
}

void FileListBox::SelectionChanged() {
  // A mouse click is told once, when its button comes up.
  if (!clickOnEntry_) click_();
}

// A click is told when the button comes up, whether or not it changed the selection;
// the selection change it makes on the way down is part of that one click.
LRESULT CALLBACK FileListBox::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  auto& list = *reinterpret_cast<FileListBox*>(self);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const LRESULT hit = ::SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
    list.clickOnEntry_ = HIWORD(hit) == 0;
  }
  const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_LBUTTONUP && list.clickOnEntry_) {
    list.clickOnEntry_ = false;
    if (list.ListIndex() >= 0) list.click_();
  }
  return result;
}

}  // namespace sorvane::win32
