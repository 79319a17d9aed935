#include "ui/win32/caption_font.h"

#include "ui/form_design.h"
#include "ui/win32/scaling.h"

#include <cwchar>

namespace sorvane::win32 {

CaptionFont::CaptionFont(UINT dpi) noexcept {
  LOGFONTW font{};
  font.lfHeight = -Scaled(design::kCaptionPixels, dpi);
  font.lfWeight = FW_NORMAL;
  // Asking for the Japanese character set lets the system choose a Japanese font where
  // the named one is missing.
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  wcscpy_s(font.lfFaceName, L"Yu Gothic UI");
  font_ = ::CreateFontIndirectW(&font);
}

CaptionFont::~CaptionFont() { ::DeleteObject(font_); }

int EntryHeight(HWND list, HFONT font) noexcept {
  const HDC context = ::GetDC(list);
  const HGDIOBJ previous = ::SelectObject(context, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(context, &metrics);
  ::SelectObject(context, previous);
  ::ReleaseDC(list, context);
  return metrics.tmHeight;
}

}  // namespace sorvane::win32
