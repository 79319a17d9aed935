#include "engine/point_layout.h"

#include <algorithm>
#include <array>

namespace sorvane {

std::optional<PointLayout> WithColumns(PointLayout layout, std::string_view list) noexcept {
  layout.x = layout.y = layout.z = layout.name = PointLayout::kNoField;
  layout.fieldCount = 0;
  int field = 0;
  for (std::size_t start = 0;; ++field) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view column = list.substr(start, comma - start);
    int* value = nullptr;
    if (column == "x" || column == "e") {
      value = &layout.x;
    } else if (column == "y" || column == "n") {
      value = &layout.y;
    } else if (column == "z") {
      value = &layout.z;
    } else if (column == "name") {
      value = &layout.name;
    } else if (column != "-") {
      return std::nullopt;
    }
    if (value != nullptr) {
      if (*value != PointLayout::kNoField) return std::nullopt;  // named twice
      *value = field;
      layout.fieldCount = field + 1;
    }
    if (comma == list.size()) break;
    start = comma + 1;
  }
  if (layout.x == PointLayout::kNoField || layout.y == PointLayout::kNoField) return std::nullopt;
  return layout;
}

std::optional<Separator> SeparatorNamed(std::string_view name) noexcept {
  constexpr std::array<std::pair<std::string_view, Separator>, 4> kNames = {{
      {"comma", Separator::Comma},
      {"tab", Separator::Tab},
      {"semicolon", Separator::Semicolon},
      {"space", Separator::Space},
  }};
  for (const auto& [known, separator] : kNames) {
    if (name == known) return separator;
  }
  return std::nullopt;
}

}  // namespace sorvane
