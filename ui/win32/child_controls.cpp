#include "ui/win32/child_controls.h"

#include "runtime/windows_text.h"
#include "ui/win32/scaling.h"

#include <commctrl.h>

namespace sorvane::win32 {

HWND CreateControl(HWND parent, const wchar_t* className, const design::Control& control,
                   DWORD style, DWORD exStyle, int id, UINT dpi) {
  const RECT place = ScaledRect(control, dpi);
  return ::CreateWindowExW(exStyle, className, WideFromUtf8(control.caption).c_str(),
                           WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

HWND CreateHiddenLabel(HWND parent, std::string_view text) {
  return ::CreateWindowExW(0, WC_STATICW, WideFromUtf8(text).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0,
                           0, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

void PlaceControls(std::initializer_list<DesignedControl> controls, HFONT font, UINT dpi) noexcept {
  for (const DesignedControl& designed : controls) {
    ::SendMessageW(designed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Place(designed.control, ScaledRect(*designed.design, dpi));
  }
}

}  // namespace sorvane::win32
