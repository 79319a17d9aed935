#include "ui/win32/list_refill.h"

namespace sorvane::win32 {

void ReplaceListEntries(HWND listBox, const std::vector<std::wstring>& texts, int selected, ListScroll scroll) {
  const LRESULT top = ::SendMessageW(listBox, LB_GETTOPINDEX, 0, 0);
  ::SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& text : texts) {
    ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageW(listBox, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (scroll == ListScroll::Kept) ::SendMessageW(listBox, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  ::SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(listBox, nullptr, TRUE);
}

}  // namespace sorvane::win32
