#pragma once
// A control's text across the border between the program's UTF-8 and the
// wide-character API.

#include <windows.h>

#include <string>
#include <string_view>

namespace sorvane::win32 {

std::string ControlText(HWND control);
void SetControlText(HWND control, std::string_view utf8);

}  // namespace sorvane::win32
