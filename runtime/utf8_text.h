#pragma once
// UTF-8, the text the program holds: how long a character is, whether a text is UTF-8
// at all, and which character a sequence spells.

#include <cstddef>
#include <string_view>

namespace sorvane {

// The length of the UTF-8 character that starts `text`; 0 when none does (a stray
// byte, a sequence cut short, an overlong form, a surrogate, beyond U+10FFFF).
// Precondition: `text` is not empty.
std::size_t Utf8CharacterSize(std::string_view text) noexcept;

bool IsUtf8(std::string_view text) noexcept;

// The code point of `character`, one whole UTF-8 character as Utf8CharacterSize
// measures it.
char32_t Utf8CodePoint(std::string_view character) noexcept;

}  // namespace sorvane
