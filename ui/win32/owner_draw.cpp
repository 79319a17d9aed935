#include "ui/win32/owner_draw.h"

#include "ui/win32/scaling.h"

namespace sorvane::win32 {

void DrawEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, int indent) noexcept {
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

}  // namespace sorvane::win32
