#include "runtime/legacy_japanese_text.h"

#include <iconv.h>

#include <array>
#include <string>

namespace sorvane {
namespace {

// One conversion of a few bytes; empty when iconv refuses any of them.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view bytes) {
  iconv_t converter = ::iconv_open(to, from);
  // iconv_open tells a failure by the handle (iconv_t)-1.
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;  // NOLINT(performance-no-int-to-ptr)
  std::array<char, 16> converted{};
  std::string input(bytes);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char* out = converted.data();
  std::size_t outLeft = converted.size();
  const std::size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
  ::iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  return std::string(converted.data(), converted.size() - outLeft);
}

// One character converted, when it converts back to the same bytes: a character with
// two codes, or a look-alike standing in for it, would make two texts read alike.
std::optional<std::string> ConvertBothWays(const char* to, const char* from,
                                           std::string_view bytes) {
  std::optional<std::string> converted = Convert(to, from, bytes);
  if (!converted || converted->empty() || Convert(from, to, *converted) != bytes) return std::nullopt;
  return converted;
}

}  // namespace

std::optional<std::string> Cp932CharacterAsUtf8(std::string_view bytes) noexcept {
  try {
    return ConvertBothWays("UTF-8", "CP932", bytes);
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<std::string> CharacterInCodePage(unsigned codePage,
                                               std::string_view utf8Character) noexcept {
  try {
    return ConvertBothWays(("CP" + std::to_string(codePage)).c_str(), "UTF-8", utf8Character);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace sorvane
