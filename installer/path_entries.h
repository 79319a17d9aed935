#pragma once
// The folders of a PATH value, as the installer adds its folder to the system's PATH
// and takes it out again. Pure text: whatever else PATH holds stays as it was, byte
// for byte, however long it is.

#include <string>
#include <string_view>

namespace sorvane::installer {

// `folder` as PATH names it: without a final "\", unless it is a drive's root ("C:\").
std::wstring_view AsPathEntry(std::wstring_view folder);

// Whether `folder` is one of the entries of `path` (separated by ";"), as Windows finds
// a folder: ASCII letter case and a final "\" aside.
bool HasPathEntry(std::wstring_view path, std::wstring_view folder);

// `path` with `folder` added as its last entry. A `path` that ended in ";" keeps that
// after the folder, so that WithoutPathEntry can give it back as it was.
std::wstring WithPathEntry(std::wstring_view path, std::wstring_view folder);

// `path` without the entry `folder` as WithPathEntry added it: the text before it was
// added, with whatever was added or removed around the entry since. Unchanged when
// `path` holds no such entry.
std::wstring WithoutPathEntry(std::wstring_view path, std::wstring_view folder);

}  // namespace sorvane::installer
