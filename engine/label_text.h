#pragma once
// A point's name as the TEXT of a drawing holds it. A drawing of DXF R2007 or newer
// keeps its text in UTF-8; an older one in the code page its $DWGCODEPAGE names, and a
// character that page has not is written "\U+XXXX", which readers of every version
// turn back into the character.
//
// Point files come from Windows programs of every age: a name is read as UTF-8, and
// one that is not UTF-8 as CP932, in which Japanese survey programs wrote. A byte that
// is no character there becomes U+FFFD, the replacement character.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sorvane {

class LabelText {
 public:
  // `utf8`: the drawing keeps its text in UTF-8. Otherwise `dwgCodePage` is its
  // $DWGCODEPAGE ("ANSI_932", "ANSI_1252", "DOS437", ...); with any other value, or
  // none, the text holds ASCII alone and every other character is escaped.
  LabelText(bool utf8, std::string_view dwgCodePage);

  // The text for `name`, valid until the next call. Throws nothing but std::bad_alloc.
  std::string_view Of(std::string_view name);

 private:
  // `name` in UTF-8, put in decoded_.
  void Decode(std::string_view name);
  // The bytes of a character beyond ASCII in the drawing's code page, or its escape.
  const std::string& Encoded(std::string_view utf8Character);

  bool utf8_;
  std::optional<unsigned> codePage_;
  std::string text_;
  std::string decoded_;
  // Each character is asked of the system once a run: a file of a million names holds
  // a few thousand different characters at most.
  std::unordered_map<std::uint16_t, std::string> cp932Characters_;
  std::unordered_map<char32_t, std::string> encodedCharacters_;
};

}  // namespace sorvane
