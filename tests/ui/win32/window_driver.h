#pragma once
// Drives the Win32 windows in-process as a person would, by window messages through
// the program's own message handling: keys, clicks on list entries, typing.

#include "ui/win32/message_loop.h"

#include <windows.h>

#include <string>

namespace sorvane::win32::testing {

// Handles every message waiting, as the program's loop would.
inline void Pump() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchWithDialogKeys(message);
}

// Handles messages as they come until `done` says so, for at most `milliseconds`.
// Whether it did.
template <typename Done>
bool PumpUntil(Done done, ULONGLONG milliseconds) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  while (!done()) {
    if (::GetTickCount64() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

// A key pressed and let go on the control with the focus (or `target`).
inline void PressKey(UINT key, HWND target = ::GetFocus()) {
  MSG down{target, WM_KEYDOWN, key, 1, 0, {}};
  DispatchWithDialogKeys(down);
  MSG up{target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
  DispatchWithDialogKeys(up);
  Pump();
}

inline void Type(HWND box, const std::wstring& text) {
  for (const wchar_t character : text) {
    MSG typed{box, WM_CHAR, character, 1, 0, {}};
    DispatchWithDialogKeys(typed);
  }
  Pump();
}

inline int EntryIndex(HWND list, const std::wstring& text) {
  return static_cast<int>(
      ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

// A click of the left button on entry `index` of a list box.
inline void ClickEntry(HWND list, int index, bool twice = false) {
  RECT entry{};
  ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
  const LPARAM at = MAKELPARAM((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
  if (twice) {
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
  }
  Pump();
}

inline std::wstring ClassOf(HWND window) {
  std::wstring name(64, L'\0');
  name.resize(static_cast<std::size_t>(::GetClassNameW(window, name.data(), 64)));
  return name;
}

// Where `control` stands in its window's client area.
inline RECT PlaceInWindow(HWND control) {
  RECT place{};
  ::GetWindowRect(control, &place);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

}  // namespace sorvane::win32::testing
