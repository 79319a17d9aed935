#pragma once
// Fil1: the list of the point files in the folder shown. Each click on an entry, the
// selected one too, raises Click once, and so does each selection made with the
// keyboard (FileListClicks).

#include "selection/file_list_clicks.h"
#include "selection/main_window_view.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace sorvane::win32 {

class FileListBox final : public ListView {
 public:
  // `click` is told the index of the entry clicked.
  FileListBox(HWND listBox, std::function<void(int)> click);
  ~FileListBox() override;
  FileListBox(const FileListBox&) = delete;
  FileListBox& operator=(const FileListBox&) = delete;

  HWND Handle() const noexcept { return listBox_; }
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;
  // The selected entry's index from 0, or -1.
  int ListIndex() const noexcept;
  // The list's LBN_SELCHANGE, which the window forwards.
  void SelectionChanged();

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  HWND listBox_;
  std::function<void(int)> click_;
  FileListClicks clicks_;
};

}  // namespace sorvane::win32
