#include "engine/label_text.h"

#include "runtime/legacy_japanese_text.h"
#include "runtime/utf8_text.h"

#include <algorithm>
#include <charconv>

namespace sorvane {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The Windows code page that a $DWGCODEPAGE value names: "ANSI_1252" and "DOS437" name
// 1252 and 437. Nullopt for the others ("UNDEFINED", "ASCII", "MACINTOSH", ...).
std::optional<unsigned> WindowsCodePage(std::string_view name) {
  std::string upper(name);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  for (const std::string_view prefix : {"ANSI_", "DOS"}) {
    if (upper.size() <= prefix.size() || !upper.starts_with(prefix)) continue;
    unsigned number = 0;
    const char* const end = upper.data() + upper.size();
    const auto [stop, error] = std::from_chars(upper.data() + prefix.size(), end, number);
    if (error == std::errc() && stop == end) return number;
  }
  return std::nullopt;
}

// "\U+XXXX"; a character beyond the 16 bits of the escape as its two UTF-16 halves.
std::string Escape(char32_t code) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  const auto escape = [&](char32_t unit) {
    std::string text = "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(unit >> shift) & 0xF];
    return text;
  };
  if (code < 0x10000) return escape(code);
  const char32_t offset = code - 0x10000;
  return escape(0xD800 + (offset >> 10)) + escape(0xDC00 + (offset & 0x3FF));
}

}  // namespace

LabelText::LabelText(bool utf8, std::string_view dwgCodePage)
    : utf8_(utf8), codePage_(utf8 ? std::nullopt : WindowsCodePage(dwgCodePage)) {}

std::string_view LabelText::Of(std::string_view name) {
  if (IsAscii(name)) return name;  // the same bytes in every code page and in UTF-8
  Decode(name);
  if (utf8_) return decoded_;
  text_.clear();
  std::string_view rest = decoded_;
  while (!rest.empty()) {
    const std::size_t size = Utf8CharacterSize(rest);
    if (size == 1) {
      text_ += rest.front();
    } else {
      text_ += Encoded(rest.substr(0, size));
    }
    rest.remove_prefix(size);
  }
  return text_;
}

void LabelText::Decode(std::string_view name) {
  if (IsUtf8(name)) {
    decoded_.assign(name);
    return;
  }
  decoded_.clear();
  while (!name.empty()) {
    const auto lead = static_cast<unsigned char>(name.front());
    const std::size_t size = IsCp932LeadByte(lead) && name.size() > 1 ? 2 : 1;
    const auto code = static_cast<std::uint16_t>(
        size == 1 ? lead : (lead << 8) | static_cast<unsigned char>(name[1]));
    auto [found, added] = cp932Characters_.try_emplace(code);
    if (added) found->second = Cp932CharacterAsUtf8(name.substr(0, size)).value_or("");
    if (found->second.empty()) {
      decoded_ += kReplacementCharacter;  // the trail byte, if any, may begin a character
      name.remove_prefix(1);
    } else {
      decoded_ += found->second;
      name.remove_prefix(size);
    }
  }
}

const std::string& LabelText::Encoded(std::string_view utf8Character) {
  const char32_t code = Utf8CodePoint(utf8Character);
  auto [found, added] = encodedCharacters_.try_emplace(code);
  if (added) {
    std::optional<std::string> bytes;
    if (codePage_) bytes = CharacterInCodePage(*codePage_, utf8Character);
    found->second = bytes ? *std::move(bytes) : Escape(code);
  }
  return found->second;
}

}  // namespace sorvane
