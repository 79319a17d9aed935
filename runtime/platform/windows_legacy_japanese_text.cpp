#include "runtime/legacy_japanese_text.h"

#include "runtime/windows_text.h"

#include <windows.h>

#include <array>

namespace sorvane {
namespace {

constexpr UINT kCp932 = 932;

}  // namespace

std::optional<std::string> Cp932CharacterAsUtf8(std::string_view bytes) noexcept {
  try {
    std::array<wchar_t, 4> wide{};
    const int length = ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    if (length <= 0) return std::nullopt;
    std::array<char, 4> back{};
    BOOL lossy = FALSE;
    const int backLength = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                                 back.data(), static_cast<int>(back.size()),
                                                 nullptr, &lossy);
    if (lossy || std::string_view(back.data(), static_cast<std::size_t>(backLength)) != bytes) {
      return std::nullopt;
    }
    return Utf8FromWide(std::wstring_view(wide.data(), static_cast<std::size_t>(length)));
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<std::string> CharacterInCodePage(unsigned codePage,
                                               std::string_view utf8Character) noexcept {
  try {
    const std::wstring wide = WideFromUtf8(utf8Character);
    if (wide.empty() || ::IsValidCodePage(codePage) == 0) return std::nullopt;
    std::array<char, 8> bytes{};
    BOOL lossy = FALSE;
    // No look-alike stands in for a character the code page does not have.
    const int length = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                             static_cast<int>(wide.size()), bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    return std::string(bytes.data(), static_cast<std::size_t>(length));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace sorvane
