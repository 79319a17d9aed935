#pragma once
// The design's pixels, at 96 dpi, scaled to the dpi of the monitor a window is on.

#include "ui/form_design.h"

#include <windows.h>

namespace sorvane::win32 {

inline constexpr UINT kDesignDpi = 96;

int Scaled(int pixels, UINT dpi) noexcept;
RECT ScaledRect(const design::Control& control, UINT dpi) noexcept;
// A line is one pixel high (scaled), its end points both drawn.
RECT ScaledRect(const design::Line& line, UINT dpi) noexcept;
// Moves and sizes `window` to `place`: a control in its parent's client area, a
// top-level window on the screen.
void Place(HWND window, const RECT& place) noexcept;
// Sizes `window` so that its client area is `client` at `dpi`. Measured, not worked out
// from the frame's metrics, which a menu bar that wraps or a system's own frame can
// make wrong.
void SetClientSize(HWND window, design::PixelSize client, UINT dpi) noexcept;

}  // namespace sorvane::win32
