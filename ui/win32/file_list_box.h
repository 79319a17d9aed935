#pragma once
// Fil1: the list of the files in one folder whose names match a pattern, letters of
// any case. Each click on an entry, the selected one too, raises Click once, and so
// does each selection made with the keyboard.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace sorvane::win32 {

class FileListBox {
 public:
  FileListBox(HWND listBox, std::string pattern, const std::string& folder,
              std::function<void()> click);
  ~FileListBox();
  FileListBox(const FileListBox&) = delete;
  FileListBox& operator=(const FileListBox&) = delete;

  HWND Handle() const { return listBox_; }
  const std::string& Path() const { return path_; }
  // Relists for `folder`. False, with the list left as it was, when the folder cannot
  // be read.
  [[nodiscard]] bool SetPath(const std::string& folder);
  // The selected entry's index from 0, or -1 when none is selected.
  int ListIndex() const;
  // The file name of entry `index`.
  const std::string& List(int index) const;
  // The list's LBN_SELCHANGE, which the window forwards.
  void SelectionChanged();

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  HWND listBox_;
  std::string pattern_;
  std::function<void()> click_;
  std::string path_;
  std::vector<std::string> names_;
  bool clickOnEntry_ = false;
};

}  // namespace sorvane::win32
