#pragma once
// The windows' design in Win32 terms: the designed pixels at 96 dpi scaled to a
// window's dpi, the font every caption fits in, and the controls' text converted to and
// from the program's UTF-8 at this one border.

#include "ui/form_design.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace sorvane::win32 {

inline constexpr UINT kDesignDpi = 96;

int Scaled(int pixels, UINT dpi);
RECT ScaledRect(const design::Control& control, UINT dpi);
// A line is one pixel high (scaled), its end points both drawn.
RECT ScaledRect(const design::Line& line, UINT dpi);
// Moves and sizes `window` to `place`: a control in its parent's client area, a
// top-level window on the screen.
void Place(HWND window, const RECT& place);
// Sizes `window` so that its client area is `client` at `dpi`. Measured, not worked out
// from the frame's metrics, which a menu bar that wraps or a system's own frame can
// make wrong.
void SetClientSize(HWND window, design::PixelSize client, UINT dpi);

// A Japanese font at a size that fits every caption into its designed box: the
// longest, "出力ファイル名", has 81 pixels for seven full-width characters.
class CaptionFont {
 public:
  explicit CaptionFont(UINT dpi);
  ~CaptionFont();
  CaptionFont(const CaptionFont&) = delete;
  CaptionFont& operator=(const CaptionFont&) = delete;
  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

// Creates a child control named after its design, at its designed place, with its
// designed caption.
HWND CreateControl(HWND parent, const wchar_t* className, const design::Control& control,
                   DWORD style, DWORD exStyle, int id, UINT dpi);

// Draws entry `item` of an owner-drawn list or combo box: `text` on the system's colours
// for its state, `indent` pixels (at 96 dpi) in from the left.
void DrawEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, int indent);

// The height of an entry of a list in `font`, as high as a list of the system's has it.
int EntryHeight(HWND list, HFONT font);
// Puts `texts` in place of a list box's entries, drawn once when all are in. The
// selection goes with the old entries.
void ReplaceListEntries(HWND listBox, const std::vector<std::wstring>& texts);

std::wstring Wide(std::string_view utf8);
std::string WindowText(HWND window);
void SetWindowText(HWND window, std::string_view utf8);

}  // namespace sorvane::win32
