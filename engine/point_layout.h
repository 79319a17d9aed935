#pragma once
// How the rows of a point file are laid out when the user says so: which field holds
// which value, what separates the fields, and how many lines at the top are no rows.
// Survey files put a point's name first and the northing before the easting, are
// headed by a line of column names, and separate fields by tabs or semicolons as often
// as by commas.

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

enum class Separator {
  Comma,
  Tab,
  Semicolon,
  Space,  // any run of blanks and tabs, and blanks before the first field are none
};

struct PointLayout {
  // The field, counted from 0, that holds each value; kNoField for Z (then 0) and for
  // the name when the rows hold none.
  static constexpr int kNoField = -1;
  int x = 0;
  int y = 1;
  int z = 2;
  int name = kNoField;
  // The fields a row must have: up to the last that holds a value. Any after them are
  // not read.
  int fieldCount = 3;
  Separator separator = Separator::Comma;
  // Lines at the top of the file that are not rows (headers, titles).
  std::int64_t skipLines = 0;
};

// The columns of `list`, the names of a row's fields in order separated by commas:
// "x", "y", "z" for the drawing's axes, "n" and "e" for the northing (the drawing's Y)
// and the easting (its X), "name" for the point's name and "-" for a field that is not
// read. Separator and skipLines are left as they are in `layout`. Nullopt when a name
// is unknown or stands for a value that is named before, or when X or Y is missing.
[[nodiscard]] std::optional<PointLayout> WithColumns(PointLayout layout,
                                                   std::string_view list) noexcept;

// "comma", "tab", "semicolon" or "space"; nullopt for any other name.
[[nodiscard]] std::optional<Separator> SeparatorNamed(std::string_view name) noexcept;

}  // namespace sorvane
