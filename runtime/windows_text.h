#pragma once
// Text across the Windows border: the program holds UTF-8, the wide-character API takes
// UTF-16. Windows only; the Windows platform layer defines them.

#include <string>
#include <string_view>

namespace sorvane {

// Empty when `text` is not valid UTF-8, which names no file.
std::wstring WideFromUtf8(std::string_view text);

std::string Utf8FromWide(std::wstring_view text);

}  // namespace sorvane
