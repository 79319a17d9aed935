#pragma once
// Names a table's case in test listings instead of dumping its bytes: any case struct
// with a `name` prints as that name, and a row that is a text can be named after it.
//
// GoogleTest finds PrintTo by argument-dependent lookup, which looks only in the
// namespace of the case itself; the tables live in an unnamed namespace inside
// sorvane, so this header declares it there, in every test file that includes it.

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

namespace sorvane {
namespace {

template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

}  // namespace

namespace testing {

// A test name for a row that is a text, such as a number as written: letters and digits
// as they stand, the other characters spelled out ("-1.5" is Minus1Dot5). Digits alone
// would read as a row's index ("/0"), so they are marked as such ("Digits0").
inline std::string NameOfText(std::string_view text) {
  if (text.empty()) return "Empty";
  std::string name = text.find_first_not_of("0123456789") == std::string_view::npos ? "Digits" : "";
  for (const char c : text) {
    switch (c) {
      case '.': name += "Dot"; break;
      case '-': name += "Minus"; break;
      case '+': name += "Plus"; break;
      case ',': name += "Comma"; break;
      case ' ': name += "Space"; break;
      case '\t': name += "Tab"; break;
      case '&': name += "Ampersand"; break;
      default:
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
          name += c;
        } else {
          char code[4];
          std::snprintf(code, sizeof code, "x%02X", static_cast<unsigned char>(c));
          name += code;
        }
    }
  }
  return name;
}

}  // namespace testing
}  // namespace sorvane
