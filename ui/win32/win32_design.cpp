#include "ui/win32/win32_design.h"

#include "runtime/platform/windows_text.h"

#include <commctrl.h>

namespace sorvane::win32 {
namespace {

// The em size of the captions at 96 dpi, as the other systems' windows have it.
constexpr int kCaptionPixels = 11;

}  // namespace

int Scaled(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

RECT ScaledRect(const design::Control& control, UINT dpi) {
  const design::PixelRect pixels = control.twips.ToPixels();
  const int left = Scaled(pixels.left, dpi);
  const int top = Scaled(pixels.top, dpi);
  return {left, top, left + Scaled(pixels.width, dpi), top + Scaled(pixels.height, dpi)};
}

RECT ScaledRect(const design::Line& line, UINT dpi) {
  const int left = Scaled(design::Pixels(line.fromX), dpi);
  const int top = Scaled(design::Pixels(line.fromY), dpi);
  const int right = Scaled(design::Pixels(line.toX) + 1, dpi);
  return {left, top, right, top + Scaled(1, dpi)};
}

SIZE WindowSizeFor(design::PixelSize client, DWORD style, bool hasMenu, UINT dpi) {
  RECT frame{0, 0, Scaled(client.width, dpi), Scaled(client.height, dpi)};
  ::AdjustWindowRectExForDpi(&frame, style, hasMenu ? TRUE : FALSE, 0, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

CaptionFont::CaptionFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -Scaled(kCaptionPixels, dpi);
  font.lfWeight = FW_NORMAL;
  // Asking for the Japanese character set lets the system choose a Japanese font where
  // the named one is missing.
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcscpy_s(font.lfFaceName, L"Yu Gothic UI");
  font_ = ::CreateFontIndirectW(&font);
}

CaptionFont::~CaptionFont() { ::DeleteObject(font_); }

HWND CreateControl(HWND parent, const wchar_t* className, const design::Control& control,
                   DWORD style, DWORD exStyle, int id, UINT dpi) {
  const RECT place = ScaledRect(control, dpi);
  const HWND window = ::CreateWindowExW(
      exStyle, className, Wide(control.caption).c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
      place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  return window;
}

std::wstring Wide(std::string_view utf8) { return WideFromUtf8(utf8); }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void SetWindowText(HWND window, std::string_view utf8) { ::SetWindowTextW(window, Wide(utf8).c_str()); }

}  // namespace sorvane::win32
