#pragma once
// Names written on systems that keep Japanese text in the legacy code page CP932
// (Shift-JIS with Windows' additions), as old shares and archives still hold them.

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The UTF-8 text of the one CP932 character that `bytes` (a single byte, or a lead byte
// and its trail byte) spell. Nothing when they spell no character, or when CP932 writes
// that character otherwise (a few characters have two codes), so that two different
// names never read alike. Throws nothing.
[[nodiscard]] std::optional<std::string> Cp932CharacterAsUtf8(std::string_view bytes) noexcept;

}  // namespace sorvane
