#pragma once
// The two lines of a DXF group as readers take them: a group code line holding an
// integer, then its value line. Readers ignore blanks around a code, a keyword or a
// handle, so these do too.

#include "engine/handle.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace sorvane {

// A comment: readers skip the group, whatever its value line holds.
inline constexpr int kCommentCode = 999;

// The blanks that may stand around a value: spaces and tabs.
constexpr bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }
std::string_view TrimBlanks(std::string_view text) noexcept;

// The group code of a code line; nullopt when the line is not a whole non-negative
// integer (between blanks), so the text is not read as DXF pairs.
[[nodiscard]] std::optional<int> GroupCode(std::string_view line) noexcept;

// A handle value: 1 to 16 hexadecimal digits, either case. Nullopt otherwise.
[[nodiscard]] std::optional<Handle> HandleValue(std::string_view value) noexcept;

// Whether a group's value is a handle that names another object (the owner, reactors,
// dictionary entries, soft and hard pointers), which must exist in the drawing or be 0.
constexpr bool IsPointerCode(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 ||
         code == 481;
}

// The lines of a DXF text taken one at a time, as a reader takes them: a code line,
// then its value line, and so on.
class GroupLines {
 public:
  enum class Line { Code, Value, NotACode };

  // Takes the next line: on a code line, NotACode when it holds no group code (no
  // reader reads on past it); otherwise the value of the code before it.
  Line Take(std::string_view line);

  // The code of the value line taken last.
  int Code() const { return code_; }

 private:
  bool onCodeLine_ = true;
  int code_ = 0;
};

// One group of a text whose lines end with CR LF, and where its lines stand.
struct DxfGroup {
  int code = 0;
  std::string_view value;
  std::size_t begin = 0;       // of the code line
  std::size_t valueBegin = 0;  // of the value line
  std::size_t end = 0;         // after the value line's CR LF
};

// The groups of text[from, to), which begins on a code line.
class GroupReader {
 public:
  GroupReader(std::string_view text, std::size_t from, std::size_t to) noexcept
      : text_(text.substr(0, to)), at_(from) {}

  // False at the end, and when a code line is not an integer, a value is missing or a
  // line has no CR LF: then Broken().
  [[nodiscard]] bool Next(DxfGroup& group) noexcept;

  bool Broken() const noexcept { return broken_; }

 private:
  std::string_view text_;
  std::size_t at_;
  bool broken_ = false;
};

}  // namespace sorvane
