#pragma once
// The entries of the owner-drawn lists (the drive and directory lists), drawn as the
// system draws its own.

#include <windows.h>

#include <string_view>

namespace sorvane::win32 {

// Draws entry `item` of an owner-drawn list or combo box: `text` on the system's colours
// for its state, `indent` pixels (at 96 dpi) in from the left.
void DrawEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, int indent) noexcept;

}  // namespace sorvane::win32
