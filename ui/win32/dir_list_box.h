#pragma once
// Dir1: the directory list, owner-drawn so that each folder stands as many steps in as
// it is deep: the folders from the drive's root down to the one listed, and below it
// the folders inside it. A double-click or Enter on a folder asks to open it.

#include "selection/main_window_view.h"

#include <windows.h>

#include <vector>

namespace sorvane::win32 {

class DirListBox final : public ListView {
 public:
  explicit DirListBox(HWND listBox) : listBox_(listBox) {}

  HWND Handle() const noexcept { return listBox_; }
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;
  // The selected entry's index from 0, or -1.
  int ListIndex() const noexcept;
  // Draws one entry, indented by its depth (WM_DRAWITEM).
  void Draw(const DRAWITEMSTRUCT& item) const noexcept;

 private:
  struct Entry {
    std::wstring text;
    int depth;
  };

  HWND listBox_;
  std::vector<Entry> entries_;
};

}  // namespace sorvane::win32
