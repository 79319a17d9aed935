#pragma once
// FrmAbout: the program's name, version and maker, closed with its OK button (by click,
// Enter or Space) or its close control. Esc does nothing.

#include "ui/win32/base_window.h"
#include "ui/win32/caption_font.h"

#include <memory>

namespace sorvane::win32 {

inline constexpr wchar_t kAboutWindowClass[] = L"SorvaneFrmAbout";

class FrmAbout final : public BaseWindow {
 public:
  // Shows the window with its designed contents and returns when it is closed; `owner`
  // takes no input meanwhile.
  static void ShowModal(HWND owner);

 private:
  FrmAbout() = default;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnCommand(int id);
  void LayOut(UINT dpi);
  void Cmd1_Click();
  void Close();

  HWND owner_ = nullptr;
  std::unique_ptr<CaptionFont> font_;
  HWND Lbl1 = nullptr;
  HWND Lbl2 = nullptr;
  HWND Cmd1 = nullptr;
};

}  // namespace sorvane::win32
