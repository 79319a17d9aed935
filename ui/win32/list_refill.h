#pragma once
// A list box's entries replaced at once.

#include <windows.h>

#include <string>
#include <vector>

namespace sorvane::win32 {

// Puts `texts` in place of a list box's entries, drawn once when all are in, and
// selects entry `selected` (-1: none). Raises no notification.
void ReplaceListEntries(HWND listBox, const std::vector<std::wstring>& texts, int selected);

}  // namespace sorvane::win32
