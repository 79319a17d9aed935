#include "engine/dxf_group.h"

#include <charconv>

namespace sorvane {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> GroupCode(std::string_view line) {
  const std::string_view digits = TrimBlanks(line);
  int code = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code < 0) {
    return std::nullopt;
  }
  return code;
}

std::optional<std::uint64_t> HandleValue(std::string_view value) {
  const std::string_view digits = TrimBlanks(value);
  if (digits.empty() || digits.size() > 16) return std::nullopt;
  std::uint64_t handle = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), handle, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return handle;
}

}  // namespace sorvane
