#pragma once
// The font of every caption and list entry: a Japanese one at the designed size,
// scaled to a window's dpi.

#include <windows.h>

namespace sorvane::win32 {

class CaptionFont {
 public:
  explicit CaptionFont(UINT dpi) noexcept;
  ~CaptionFont();
  CaptionFont(const CaptionFont&) = delete;
  CaptionFont& operator=(const CaptionFont&) = delete;
  HFONT Handle() const noexcept { return font_; }

 private:
  HFONT font_;
};

// The height of an entry of a list in `font`, as high as a list of the system's has it.
int EntryHeight(HWND list, HFONT font) noexcept;

}  // namespace sorvane::win32
