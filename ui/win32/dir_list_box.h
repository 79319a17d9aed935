#pragma once
// Dir1: the directory list. It shows the folders from the drive's root down to its
// path, each one step further in, and below the last one the folders inside it. A
// double-click or Enter on a folder opens it.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace sorvane::win32 {

class DirListBox {
 public:
  // Shows `folder` in the owner-drawn `listBox`, or its drive's root when it cannot be
  // read.
  DirListBox(HWND listBox, const std::string& folder);

  HWND Handle() const { return listBox_; }
  const std::string& Path() const { return path_; }
  // Shows the absolute `folder`. False, with the list left as it was, when the folder
  // cannot be read.
  [[nodiscard]] bool SetPath(const std::string& folder);
  // The folder of the selected entry; nothing when none is selected.
  std::optional<std::string> SelectedFolder() const;
  // Draws one entry, indented by its depth (WM_DRAWITEM).
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  struct Entry {
    std::string path;
    int depth;
  };

  HWND listBox_;
  std::string path_;
  std::vector<Entry> entries_;
};

}  // namespace sorvane::win32
