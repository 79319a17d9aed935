#include "ui/win32/scaling.h"

namespace sorvane::win32 {

int Scaled(int pixels, UINT dpi) noexcept {
  return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

RECT ScaledRect(const design::Control& control, UINT dpi) noexcept {
  const design::PixelRect pixels = control.twips.ToPixels();
  const int left = Scaled(pixels.left, dpi);
  const int top = Scaled(pixels.top, dpi);
  return {left, top, left + Scaled(pixels.width, dpi), top + Scaled(pixels.height, dpi)};
}

RECT ScaledRect(const design::Line& line, UINT dpi) noexcept {
  const int left = Scaled(design::Pixels(line.fromX), dpi);
  const int top = Scaled(design::Pixels(line.fromY), dpi);
  const int right = Scaled(design::Pixels(line.toX) + 1, dpi);
  return {left, top, right, top + Scaled(1, dpi)};
}

void Place(HWND window, const RECT& place) noexcept {
  ::SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND window, design::PixelSize client, UINT dpi) noexcept {
  const int width = Scaled(client.width, dpi);
  const int height = Scaled(client.height, dpi);
  // Twice: a menu bar may wrap otherwise at the new width.
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT frame{};
    RECT inside{};
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &inside);
    if (inside.right == width && inside.bottom == height) return;
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + width - inside.right,
                   frame.bottom - frame.top + height - inside.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace sorvane::win32
