#pragma once
// The windows' controls made and placed as designed, at a window's dpi.

#include "ui/form_design.h"

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace sorvane::win32 {

// Creates a child control with the identifier `id`, at its designed place, with its
// designed caption. Null when the system refuses.
HWND CreateControl(HWND parent, const wchar_t* className, const design::Control& control,
                   DWORD style, DWORD exStyle, int id, UINT dpi);

// A label that is not shown, for a screen reader: it names the control made right after
// it, as a shown label would (Windows takes a control's name from the label before it).
// Null when the system refuses.
HWND CreateHiddenLabel(HWND parent, std::string_view text);

struct DesignedControl {
  HWND control;
  const design::Control* design;
};

// Gives each control `font` and puts it at its designed place for `dpi`, redrawing
// nothing: the window is redrawn once when all are in place.
void PlaceControls(std::initializer_list<DesignedControl> controls, HFONT font, UINT dpi) noexcept;

}  // namespace sorvane::win32
