#pragma once
// Drv1: the drop-down list of drives, each shown as Windows users know it, its letter
// and its volume label ("C: [Windows]"). A drive's path is its root ("C:\"), which the
// directory list takes as its path. The box is owner-drawn, so that its closed height is
// the designed one whatever the font's.

#include <windows.h>

#include <string>
#include <vector>

namespace sorvane::win32 {

class DriveListBox {
 public:
  // Lists this machine's drives into `comboBox`, the one holding `folder` selected.
  DriveListBox(HWND comboBox, const std::string& folder);

  HWND Handle() const { return comboBox_; }
  // The selected drive's root; empty when none is selected.
  std::string Drive() const;
  // Selects the drive holding `folder`, raising no Change.
  void ShowDriveOf(const std::string& folder);
  // Whether a notification of the combo box is the user's pick of a drive (the one
  // shown already included): a choice in the open list, or an arrow key on the closed
  // one.
  bool IsPick(WORD notification) const;
  // Draws one entry of the owner-drawn box (WM_DRAWITEM).
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND comboBox_;
  std::vector<std::string> drives_;
  std::vector<std::wstring> texts_;
};

}  // namespace sorvane::win32
