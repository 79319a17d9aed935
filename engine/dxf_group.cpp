#include "engine/dxf_group.h"

#include <charconv>
#include <limits>

namespace sorvane {
namespace {

// The CR of the first CR LF at or after `from`; npos when there is none. A plain scan:
// lines are short, and a library call per line would cost more than it saves.
std::size_t LineEnd(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at + 1 < text.size(); ++at) {
    if (text[at] == '\r' && text[at + 1] == '\n') return at;
  }
  return std::string_view::npos;
}

// Reads blanks, a non-negative integer and blanks from `at` on, and moves `at` past
// them; nullopt when there are no digits or the integer is beyond int. Digit by digit:
// a template has millions of code lines, nearly all short.
std::optional<int> ReadCode(std::string_view text, std::size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  const std::size_t first = at;
  int code = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    const int digit = text[at] - '0';
    if (code > (std::numeric_limits<int>::max() - digit) / 10) return std::nullopt;
    code = code * 10 + digit;
  }
  if (at == first) return std::nullopt;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return code;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int> GroupCode(std::string_view line) noexcept {
  std::size_t at = 0;
  const std::optional<int> code = ReadCode(line, at);
  if (at != line.size()) return std::nullopt;
  return code;
}

std::optional<Handle> HandleValue(std::string_view value) noexcept {
  const std::string_view digits = TrimBlanks(value);
  if (digits.empty() || digits.size() > 16) return std::nullopt;
  std::uint64_t handle = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), handle, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return Handle{handle};
}

GroupLines::Line GroupLines::Take(std::string_view line) {
  if (!onCodeLine_) {
    onCodeLine_ = true;
    return Line::Value;
  }
  const std::optional<int> code = GroupCode(line);
  if (!code) return Line::NotACode;
  code_ = *code;
  onCodeLine_ = false;
  return Line::Code;
}

bool GroupReader::Next(DxfGroup& group) noexcept {
  if (at_ >= text_.size()) return false;
  // The code line is read in one go: an integer between blanks, then its CR LF.
  std::size_t codeEnd = at_;
  const std::optional<int> code = ReadCode(text_, codeEnd);
  const bool codeLine = code && text_.substr(codeEnd).starts_with("\r\n");
  const std::size_t valueBegin = codeEnd + 2;
  const std::size_t valueEnd = codeLine ? LineEnd(text_, valueBegin) : std::string_view::npos;
  if (valueEnd == std::string_view::npos) {
    broken_ = true;
    return false;
  }
  group = {*code, text_.substr(valueBegin, valueEnd - valueBegin), at_, valueBegin, valueEnd + 2};
  at_ = valueEnd + 2;
  return true;
}

}  // namespace sorvane
