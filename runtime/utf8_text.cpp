#include "runtime/utf8_text.h"

namespace sorvane {

std::size_t Utf8CharacterSize(std::string_view text) noexcept {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t size = 0;
  char32_t lowest = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    size = 2;
    lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    size = 3;
    lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    size = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < size) return 0;
  for (std::size_t i = 1; i < size; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  const char32_t code = Utf8CodePoint(text.substr(0, size));
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < lowest || code > 0x10FFFF || surrogate ? 0 : size;
}

bool IsUtf8(std::string_view text) noexcept {
  while (!text.empty()) {
    const std::size_t size = Utf8CharacterSize(text);
    if (size == 0) return false;
    text.remove_prefix(size);
  }
  return true;
}

char32_t Utf8CodePoint(std::string_view character) noexcept {
  const auto lead = static_cast<unsigned char>(character[0]);
  if (lead < 0x80) return lead;
  char32_t code = lead & (0x7F >> character.size());
  for (const char next : character.substr(1)) {
    code = (code << 6) | (static_cast<unsigned char>(next) & 0x3F);
  }
  return code;
}

}  // namespace sorvane
