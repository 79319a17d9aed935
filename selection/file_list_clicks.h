#pragma once
// When the file list's events make a click (Fil1_Click): each press of the mouse on an
// entry counts once, when its button comes up, whether or not it changed the selection
// (the selected entry clicked again brings back the proposed output path); a change of
// the selection counts at once when the keyboard made it. A view feeds it its list's
// mouse and selection events.

namespace sorvane {

class FileListClicks {
 public:
  // The left button went down, on an entry or beside the entries.
  void ButtonDown(bool onEntry) noexcept { pressedOnEntry_ = onEntry; }
  // The selection changed: a click of its own, unless a press on an entry made it.
  [[nodiscard]] bool SelectionChanged() const noexcept { return !pressedOnEntry_; }
  // The left button came up: a click when it went down on an entry.
  [[nodiscard]] bool ButtonUp() noexcept {
    const bool click = pressedOnEntry_;
    pressedOnEntry_ = false;
    return click;
  }

 private:
  bool pressedOnEntry_ = false;
};

}  // namespace sorvane
