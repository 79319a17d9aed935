#include "ui/win32/file_list_box.h"

#include "runtime/windows_text.h"
#include "ui/win32/list_refill.h"

#include <commctrl.h>

#include <string>

namespace sorvane::win32 {

FileListBox::FileListBox(HWND listBox, std::function<void(int)> click)
    : listBox_(listBox), click_(std::move(click)) {
  ::SetWindowSubclass(listBox_, ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

FileListBox::~FileListBox() { ::RemoveWindowSubclass(listBox_, ListProc, 0); }

void FileListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) {
  std::vector<std::wstring> texts;
  for (const ListEntry& entry : entries) texts.push_back(WideFromUtf8(entry.text));
  ReplaceListEntries(listBox_, texts, selected, scroll);
}

int FileListBox::ListIndex() const noexcept {
  return static_cast<int>(::SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
}

void FileListBox::SelectionChanged() {
  if (clicks_.SelectionChanged()) click_(ListIndex());
}

LRESULT CALLBACK FileListBox::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  auto& list = *reinterpret_cast<FileListBox*>(self);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const LRESULT hit = ::SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
    list.clicks_.ButtonDown(HIWORD(hit) == 0);
  }
  const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_LBUTTONUP && list.clicks_.ButtonUp()) list.click_(list.ListIndex());
  return result;
}

}  // namespace sorvane::win32
