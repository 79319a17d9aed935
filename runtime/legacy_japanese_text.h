#pragma once
// Text in the legacy code pages of Windows: names written on systems that keep Japanese
// text in CP932 (Shift-JIS with Windows' additions), as old shares, archives and point
// files still hold them, and the code page a drawing older than DXF R2007 keeps its
// text in.

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Whether `byte` begins a CP932 character of two bytes.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The UTF-8 text of the one CP932 character that `bytes` (a single byte, or a lead byte
// and its trail byte) spell. Nothing when they spell no character, or when CP932 writes
// that character otherwise (a few characters have two codes), so that two different
// names never read alike. Throws nothing.
[[nodiscard]] std::optional<std::string> Cp932CharacterAsUtf8(std::string_view bytes) noexcept;

// The bytes of the one character that `utf8Character` spells, in the Windows code page
// numbered `codePage` (932, 1252, 437, ...). Nothing when the code page has no such
// character of its own (no look-alike stands in for it), or when the system does not
// know the code page. Throws nothing.
[[nodiscard]] std::optional<std::string> CharacterInCodePage(unsigned codePage,
                                                             std::string_view utf8Character) noexcept;

}  // namespace sorvane
