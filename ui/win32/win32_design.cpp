#include "ui/win32/win32_design.h"

#include "runtime/windows_text.h"

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

void Place(HWND window, const RECT& place) {
  ::SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND window, design::PixelSize client, UINT dpi) {
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

CaptionFont::CaptionFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -Scaled(kCaptionPixels, dpi);
  font.lfWeight = FW_NORMAL;
  // Asking for the Japanese character set lets the system choose a Japanese font where
  // the named one is missing.
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
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

int EntryHeight(HWND list, HFONT font) {
  const HDC context = ::GetDC(list);
  const HGDIOBJ previous = ::SelectObject(context, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(context, &metrics);
  ::SelectObject(context, previous);
  ::ReleaseDC(list, context);
  return metrics.tmHeight;
}

void ReplaceListEntries(HWND listBox, const std::vector<std::wstring>& texts) {
  ::SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& text : texts) {
    ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(listBox, nullptr, TRUE);
}

void DrawEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, int indent) {
  constexpr int kTextMarginPixels = 3;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const UINT dpi = ::GetDpiForWindow(item.hwndItem);
  RECT place = item.rcItem;
  place.left += Scaled(kTextMarginPixels + indent, dpi);
  ::DrawTextW(item.hDC, text.data(), static_cast<int>(text.size()), &place,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    ::DrawFocusRect(item.hDC, &item.rcItem);
  }
}

std::wstring Wide(std::string_view utf8) { return WideFromUtf8(utf8); }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void SetWindowText(HWND window, std::string_view utf8) { ::SetWindowTextW(window, Wide(utf8).c_str()); }

}  // namespace sorvane::win32
