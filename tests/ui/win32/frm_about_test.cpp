#include "ui/win32/frm_about.h"

#include "runtime/windows_text.h"
#include "tests/support/case_names.h"
#include "tests/ui/win32/window_driver.h"
#include "tests/ui/window_cases.h"
#include "ui/win32/control_ids.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace sorvane {
namespace {

using namespace sorvane::win32;

using namespace sorvane::win32::testing;
namespace cases = sorvane::window_cases;

const std::map<std::string, int> kIds = {{"Lbl1", kAboutLbl1}, {"Lbl2", kAboutLbl2}, {"Cmd1", kAboutCmd1}};

std::wstring TextOf(HWND window) {
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), 256)));
  return text;
}

// What the open About window showed, looked at from inside its modal loop: a timer
// fires there, since the loop that opened it does not return while it is open.
struct Seen {
  bool opened = false;
  bool ownerEnabled = true;
  bool focusOnOk = false;
  bool openAfterEsc = false;
  std::wstring caption;
  SIZE client{};
  std::map<std::string, RECT> places;
  std::map<std::string, std::wstring> captions;
  UINT closeKey = VK_RETURN;
};
Seen seen;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND about = ::FindWindowW(kAboutWindowClass, nullptr);
  if (!about || !::IsWindowVisible(about)) return;
  ::KillTimer(nullptr, timer);
  seen.opened = true;
  seen.ownerEnabled = ::IsWindowEnabled(::GetWindow(about, GW_OWNER)) != FALSE;
  seen.caption = TextOf(about);
  RECT client{};
  ::GetClientRect(about, &client);
  seen.client = {client.right, client.bottom};
  for (const auto& [name, id] : kIds) {
    seen.places[name] = PlaceInWindow(::GetDlgItem(about, id));
    seen.captions[name] = TextOf(::GetDlgItem(about, id));
  }
  seen.focusOnOk = ::GetFocus() == ::GetDlgItem(about, kAboutCmd1);
  PressKey(VK_ESCAPE);
  seen.openAfterEsc = ::IsWindow(about) != FALSE;
  if (seen.closeKey == 0) {
    ::SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    PressKey(seen.closeKey);
  }
}

struct CloseCase {
  const char* name;
  UINT key;  // 0: the close control
};

class FrmAboutTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(FrmAboutTest, IsModalShowsItsDesignAndClosesWithOkNotEsc) {
  const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       200, 100, nullptr, nullptr, nullptr, nullptr);
  seen = Seen{};
  seen.closeKey = GetParam().key;
  ::SetTimer(nullptr, 0, 20, LookAndClose);
  FrmAbout::ShowModal(owner);

  ASSERT_TRUE(seen.opened);
  EXPECT_FALSE(seen.ownerEnabled) << "the main window takes no input while it is open";
  EXPECT_TRUE(seen.focusOnOk);
  EXPECT_TRUE(seen.openAfterEsc) << "Esc does not close it";
  EXPECT_EQ(seen.caption, WideFromUtf8("バージョン表示"));
  EXPECT_EQ(seen.client.cx, cases::kAboutClientWidth);
  EXPECT_EQ(seen.client.cy, cases::kAboutClientHeight);
  for (const auto& control : cases::kAboutWindow) {
    SCOPED_TRACE(control.name);
    const RECT place = seen.places[control.name];
    EXPECT_EQ(place.left, control.left);
    EXPECT_EQ(place.top, control.top);
    EXPECT_EQ(place.right - place.left, control.width);
    EXPECT_EQ(place.bottom - place.top, control.height);
    EXPECT_EQ(seen.captions[control.name], WideFromUtf8(control.caption));
  }
  EXPECT_FALSE(::FindWindowW(kAboutWindowClass, nullptr));
  EXPECT_TRUE(::IsWindowEnabled(owner));
  ::DestroyWindow(owner);
}

INSTANTIATE_TEST_SUITE_P(Win32, FrmAboutTest,
                         ::testing::Values(CloseCase{"Enter", VK_RETURN}, CloseCase{"Space", VK_SPACE},
                                           CloseCase{"CloseControl", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
