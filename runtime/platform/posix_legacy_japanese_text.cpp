#include "runtime/legacy_japanese_text.h"

#include <iconv.h>

#include <array>

namespace sorvane {
namespace {

// One conversion of a few bytes; empty when iconv refuses any of them.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view bytes) {
  iconv_t converter = ::iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
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

}  // namespace

std::optional<std::string> Cp932CharacterAsUtf8(std::string_view bytes) noexcept {
  try {
    std::optional<std::string> text = Convert("UTF-8", "CP932", bytes);
    if (!text || text->empty() || Convert("CP932", "UTF-8", *text) != bytes) return std::nullopt;
    return text;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace sorvane
