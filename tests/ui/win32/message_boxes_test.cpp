#include "ui/win32/message_boxes.h"

#include "runtime/windows_text.h"
#include "ui/form_design.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane::win32 {
namespace {

struct Seen {
  std::wstring title;
  std::wstring text;
  int buttons = 0;
  int width = 0;
};
Seen seen;

BOOL CALLBACK CountButton(HWND child, LPARAM) {
  std::wstring className(16, L'\0');
  className.resize(static_cast<std::size_t>(::GetClassNameW(child, className.data(), 16)));
  if (className == L"Button" && ::IsWindowVisible(child)) ++seen.buttons;
  return TRUE;
}

// Reads the box from inside its own modal loop, then presses OK.
void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = ::FindWindowW(L"#32770", nullptr);
  if (!box || !::IsWindowVisible(box)) return;
  ::KillTimer(nullptr, timer);
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(box, text.data(), 256)));
  seen.title = text;
  text.assign(256, L'\0');
  text.resize(static_cast<std::size_t>(::GetDlgItemTextW(box, 0xFFFF, text.data(), 256)));
  seen.text = text;
  ::EnumChildWindows(box, CountButton, 0);
  RECT frame{};
  ::GetWindowRect(box, &frame);
  seen.width = frame.right - frame.left;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(SystemMessageBoxes, ShowTheTitleAndOkOnlyInABoxWideEnoughForTheTitle) {
  SystemMessageBoxes boxes;
  ::SetTimer(nullptr, 0, 20, ReadAndClose);
  boxes.Show(nullptr, "変換しました");
  EXPECT_EQ(seen.title, L"Sorvane");
  EXPECT_EQ(seen.text, WideFromUtf8("変換しました"));
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_GE(seen.width, design::kMessageBoxMinimumWidth);
}

}  // namespace
}  // namespace sorvane::win32
