#include "ui/win32/frm_about.h"

#include "ui/win32/child_controls.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_text.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/scaling.h"

#include <commctrl.h>

namespace sorvane::win32 {
namespace {

namespace layout = design::about_window;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

}  // namespace

void FrmAbout::ShowModal(HWND owner) {
  FrmAbout about;
  about.owner_ = owner;
  if (!about.Create(kAboutWindowClass, kStyle, owner, nullptr)) return;
  ::ShowWindow(about.Window(), SW_SHOWNORMAL);
  ::SetFocus(about.Cmd1);
  ::EnableWindow(owner, FALSE);
  RunModalLoop(about.Window());
  // Closing gave the input back already; this covers a program that ends meanwhile.
  ::EnableWindow(owner, TRUE);
}

LRESULT FrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_DPICHANGED:
      Place(Window(), *reinterpret_cast<const RECT*>(lParam));
      LayOut(HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void FrmAbout::OnCreate() {
  const UINT dpi = ::GetDpiForWindow(Window());
  SetControlText(Window(), layout::kCaption);
  Cmd1 = CreateControl(Window(), WC_BUTTONW, layout::kCmd1, WS_TABSTOP | BS_PUSHBUTTON, 0,
                       kAboutCmd1, dpi);
  Lbl1 = CreateControl(Window(), WC_STATICW, layout::kLbl1, SS_LEFT | SS_NOPREFIX, 0, kAboutLbl1, dpi);
  SetControlText(Lbl1, layout::VersionLine());
  Lbl2 = CreateControl(Window(), WC_STATICW, layout::kLbl2, SS_LEFT | SS_NOPREFIX, 0, kAboutLbl2, dpi);
  LayOut(dpi);
}

void FrmAbout::LayOut(UINT dpi) {
  SetClientSize(Window(), layout::kClient, dpi);
  // The controls take the new font before the old one goes.
  auto font = std::make_unique<CaptionFont>(dpi);
  PlaceControls({{Lbl1, &layout::kLbl1}, {Lbl2, &layout::kLbl2}, {Cmd1, &layout::kCmd1}}, font->Handle(), dpi);
  font_ = std::move(font);
  ::InvalidateRect(Window(), nullptr, TRUE);
}

void FrmAbout::OnCommand(int id) {
  // Enter reaches the window as IDOK, and presses the button because it has the focus;
  // Esc reaches it as IDCANCEL, and does nothing.
  if (id == kAboutCmd1 || (id == IDOK && ::GetFocus() == Cmd1)) Cmd1_Click();
}

void FrmAbout::Cmd1_Click() { Close(); }

// The owner takes input again before this window goes, so that it, not another
// program's window, becomes the active one.
void FrmAbout::Close() {
  ::EnableWindow(owner_, TRUE);
  ::DestroyWindow(Window());
}

}  // namespace sorvane::win32
