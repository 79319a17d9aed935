#pragma once
// Drv1: the drop-down list of drives. The box is owner-drawn, so that its closed height
// is the designed one whatever the font's.

#include "selection/main_window_view.h"

#include <windows.h>

#include <string>
#include <vector>

namespace sorvane::win32 {

class DriveListBox final : public ListView {
 public:
  explicit DriveListBox(HWND comboBox) : comboBox_(comboBox) {}

  HWND Handle() const noexcept { return comboBox_; }
  void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) override;
  // Selects drive `index`, raising no notification.
  void Select(int index) noexcept;
  // The selected drive's index from 0, or -1.
  int ListIndex() const noexcept;
  // Whether a notification of the combo box is the user's pick of a drive (the one
  // shown already included): a choice in the open list, or an arrow key on the closed
  // one.
  bool IsPick(WORD notification) const noexcept;
  // Draws one entry (WM_DRAWITEM).
  void Draw(const DRAWITEMSTRUCT& item) const noexcept;

 private:
  HWND comboBox_;
  std::vector<std::wstring> texts_;
};

}  // namespace sorvane::win32
