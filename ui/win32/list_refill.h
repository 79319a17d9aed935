#pragma once
// A list box's entries replaced at once.

#include "selection/main_window_view.h"

#include <windows.h>

#include <string>
#include <vector>

namespace sorvane::win32 {

// Puts `texts` in place of a list box's entries, drawn once when all are in, and
// selects entry `selected` (-1: none), brought into sight unless the list keeps its
// scroll (the same place read anew). Raises no notification.
void ReplaceListEntries(HWND listBox, const std::vector<std::wstring>& texts, int selected, ListScroll scroll);

}  // namespace sorvane::win32
