#include "ui/win32/message_boxes.h"

#include "runtime/windows_text.h"
#include "ui/form_design.h"
#include "ui/win32/scaling.h"

#include <commctrl.h>

#include <array>

namespace sorvane::win32 {
namespace {

constexpr UINT kWiden = WM_APP + 1;

bool HasClass(HWND window, std::wstring_view name) {
  std::array<wchar_t, 16> className{};
  const int length = ::GetClassNameW(window, className.data(), static_cast<int>(className.size()));
  return std::wstring_view(className.data(), static_cast<std::size_t>(length)) == name;
}

void Widen(HWND box) {
  RECT frame{};
  ::GetWindowRect(box, &frame);
  const int width = frame.right - frame.left;
  const int wanted = Scaled(design::kMessageBoxMinimumWidth, ::GetDpiForWindow(box));
  if (width >= wanted) return;
  ::SetWindowPos(box, nullptr, frame.left - (wanted - width) / 2, frame.top, wanted,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  ::GetClientRect(box, &client);
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!HasClass(child, L"Button")) continue;
    RECT place{};
    ::GetWindowRect(child, &place);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    ::SetWindowPos(child, nullptr, (client.right - (place.right - place.left)) / 2, place.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == kWiden) {
    ::RemoveWindowSubclass(box, BoxProc, id);
    Widen(box);
    return 0;
  }
  return ::DefSubclassProc(box, message, wParam, lParam);
}

// The system sizes a box to its text, so a short outcome gives a box too narrow for
// its title beside the frame's buttons. Once the box has laid itself out, it is
// widened, its button kept in the middle.
LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam) {
  const auto box = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && HasClass(box, L"#32770") && ::SetWindowSubclass(box, BoxProc, 0, 0)) {
    ::PostMessageW(box, kWiden, 0, 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void SystemMessageBoxes::Show(HWND owner, std::string_view text) {
  const HHOOK hook = ::SetWindowsHookExW(WH_CBT, WatchForBox, nullptr, ::GetCurrentThreadId());
  ::MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(design::kApplicationTitle).c_str(), MB_OK);
  if (hook) ::UnhookWindowsHookEx(hook);
}

}  // namespace sorvane::win32
