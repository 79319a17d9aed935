#include "ui/win32/control_text.h"

#include "runtime/windows_text.h"

namespace sorvane::win32 {

std::string ControlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void SetControlText(HWND control, std::string_view utf8) {
  ::SetWindowTextW(control, WideFromUtf8(utf8).c_str());
}

}  // namespace sorvane::win32
