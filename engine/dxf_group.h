#pragma once
// The two lines of a DXF group as readers take them: a group code line holding an
// integer, then its value line. Readers ignore blanks around a code, a keyword or a
// handle, so these do too.

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

std::string_view TrimBlanks(std::string_view text);

// The group code of a code line; nullopt when the line is not a whole non-negative
// integer (between blanks), so the text is not read as DXF pairs.
std::optional<int> GroupCode(std::string_view line);

// A handle value: 1 to 16 hexadecimal digits, either case. Nullopt otherwise.
std::optional<std::uint64_t> HandleValue(std::string_view value);

// Whether a group's value is a handle that names another object (the owner, reactors,
// dictionary entries, soft and hard pointers), which must exist in the drawing or be 0.
constexpr bool IsPointerCode(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 ||
         code == 481;
}

}  // namespace sorvane
